#include "editor_dialog.h"

#include "date_picker.h"
#include "user_interaction.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

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
