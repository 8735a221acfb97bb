#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QStringList>

class QPushButton;

// A modal editor that does not lose typed work by accident. Escape and the window's close box
// ask "Сохранить изменения?" (Да / Нет / Отмена) while the watched inputs hold something else
// than when the editor last filled them or stored them: "Да" saves as "Сохранить" does (the
// window closes only when that goes through), "Нет" closes without saving, "Отмена" keeps the
// window. The editor's own "Отменить" closes without asking: that is the person's choice.
// Ctrl+S and Ctrl+Enter save as a click on "Сохранить" (ButSave) does, and only when it could be
// clicked; its tooltip names them.
class TEditorDialog : public QDialog {
    Q_OBJECT
public:
    explicit TEditorDialog(QWidget* parent = nullptr);

    // The inputs whose content is the person's work: edit boxes, lists, check boxes, date
    // pickers, and the labels that show a party chosen through a picker.
    void WatchInputs(const QList<QWidget*>& inputs);
    // Every edit box, list, check box, drop-down list and date picker of the window.
    void WatchAllInputs();
    // What the inputs hold now counts as stored.
    void MarkSaved();
    bool HasChanges() const;

    // Escape and the close box.
    void reject() override;
    // Closes with Cancel without asking.
    void Discard();

    static const QString kSaveQuestion;
    static const QString kSaveKeys; // "Ctrl+S, Ctrl+Enter"

protected:
    // What "Сохранить" does: saves and closes when the save went through.
    virtual void SaveClick() = 0;
    void showEvent(QShowEvent* event) override;

private:
    void saveByKey();
    QPushButton* saveButton() const;
    QStringList state() const;

    QList<QPointer<QWidget>> m_inputs;
    QStringList m_saved;
};
