#include "editor_dialog.h"

#include "date_picker.h"
#include "list_keys.h"
#include "user_interaction.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>

namespace {

QString valueOf(const QWidget* w) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(w)) return edit->text();
    if (const auto* date = qobject_cast<const TDatePicker*>(w)) return QString::number(date->Date());
    if (const auto* combo = qobject_cast<const QComboBox*>(w)) return QString::number(combo->currentIndex());
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        return QString::number(button->isChecked());
    if (const auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    if (const auto* list = qobject_cast<const QListWidget*>(w)) {
        QString states;
        for (int i = 0; i < list->count(); ++i)
            states += QString::number(list->item(i)->checkState());
        return states;
    }
    return {};
}

} // namespace

const QString TEditorDialog::kSaveQuestion = QStringLiteral("Сохранить изменения?");
const QString TEditorDialog::kSaveKeys = QStringLiteral("Ctrl+S, Ctrl+Enter");

TEditorDialog::TEditorDialog(QWidget* parent)
    : QDialog(parent) {
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::CTRL | Qt::Key_Return),
          QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(key, this);
        // A key held down would save again while the first save's answer is awaited.
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, &TEditorDialog::saveByKey);
    }
}

QPushButton* TEditorDialog::saveButton() const {
    return findChild<QPushButton*>(QStringLiteral("ButSave"));
}

void TEditorDialog::saveByKey() {
    QPushButton* save = saveButton();
    if (!save) {
        SaveClick();
        return;
    }
    // A save the window does not offer now (the button is off) is not made by a key either.
    if (!save->isEnabled() || !save->isVisible()) return;
    // The box being typed in hands its text over as it does when the mouse goes to the button.
    save->setFocus(Qt::ShortcutFocusReason);
    save->click();
}

void TEditorDialog::showEvent(QShowEvent* event) {
    if (QPushButton* save = saveButton(); save && save->toolTip().isEmpty()) SetKeyTip(save, kSaveKeys);
    QDialog::showEvent(event);
}

void TEditorDialog::WatchInputs(const QList<QWidget*>& inputs) {
    m_inputs.clear();
    for (QWidget* w : inputs)
        m_inputs << w;
    MarkSaved();
}

void TEditorDialog::WatchAllInputs() {
    QList<QWidget*> inputs;
    for (QWidget* w : findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QCheckBox*>(w) ||
            qobject_cast<QListWidget*>(w) || qobject_cast<TDatePicker*>(w))
            inputs << w;
    WatchInputs(inputs);
}

void TEditorDialog::MarkSaved() {
    m_saved = state();
}

bool TEditorDialog::HasChanges() const {
    return state() != m_saved;
}

QStringList TEditorDialog::state() const {
    QStringList values;
    for (const QPointer<QWidget>& w : m_inputs)
        values << (w ? valueOf(w) : QString());
    return values;
}

void TEditorDialog::reject() {
    if (!HasChanges()) {
        QDialog::reject();
        return;
    }
    switch (AskYesNoCancel(kSaveQuestion)) {
    case UserInteraction::Answer::Yes:
        SaveClick();
        break;
    case UserInteraction::Answer::No:
        QDialog::reject();
        break;
    case UserInteraction::Answer::Cancel:
        break;
    }
}

void TEditorDialog::Discard() {
    QDialog::reject();
}
