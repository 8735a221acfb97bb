#include "message_box_interaction.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace {

QWidget* owner() {
    return QApplication::activeWindow();
}

} // namespace

void MessageBoxInteraction::showInfo(const QString& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Сообщение"), text, QMessageBox::NoButton,
                    owner());
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

bool MessageBoxInteraction::askYesNo(const QString& text, bool defaultYes) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Вопрос"), text, QMessageBox::NoButton, owner());
    QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    box.setDefaultButton(defaultYes ? yes : no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

std::unique_ptr<QMessageBox> MessageBoxInteraction::YesNoCancelBox(const QString& text, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Question, QStringLiteral("Вопрос"), text,
                                             QMessageBox::NoButton, parent);
    QPushButton* yes = box->addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    box->addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    QPushButton* cancel = box->addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(cancel);
    return box;
}

UserInteraction::Answer MessageBoxInteraction::askYesNoCancel(const QString& text) {
    const std::unique_ptr<QMessageBox> box = YesNoCancelBox(text, owner());
    box->exec();
    switch (box->buttonRole(box->clickedButton())) {
    case QMessageBox::YesRole:
        return Answer::Yes;
    case QMessageBox::NoRole:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void MessageBoxInteraction::showError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                    QMessageBox::NoButton, owner());
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

bool MessageBoxInteraction::openUrl(const QString& url) {
    return QDesktopServices::openUrl(QUrl(url));
}

QString MessageBoxInteraction::getOpenFileName(const QString& title, const QString& filter,
                                               const QString& startFolder) {
    return QFileDialog::getOpenFileName(owner(), title, startFolder, DialogFilter(filter));
}

QString MessageBoxInteraction::getSaveFileName(const QString& title, const QString& filter,
                                               const QString& suggestedName, const QString& defaultExtension,
                                               const QString& startFolder) {
    QFileDialog dialog(owner(), title, startFolder, DialogFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultExtension);
    dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QString MessageBoxInteraction::getExistingDirectory(const QString& title, const QString& startFolder) {
    return QFileDialog::getExistingDirectory(owner(), title, startFolder);
}

QString MessageBoxInteraction::DialogFilter(const QString& filter) {
    if (!filter.contains(QLatin1Char('|'))) return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}
