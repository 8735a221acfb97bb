#pragma once

#include "editor_dialog.h"
#include "fresh_request.h"

class QGridLayout;
class QLineEdit;
class QPushButton;

// What every catalog editor shares: the window's frame (window_frame.h) and the bottom panel
// with "Отменить" on the left and "Сохранить" on the right. "Отменить" closes with Cancel and
// sends nothing; "Сохранить" runs the editor's save, and the window closes with OK only when
// the save went through. An entry's name must not be blank: that is said before anything is
// sent. A save the service refuses says why (the editors make their changes with
// ChangeOnFreshRequest) and leaves everything typed where it was, so the user may correct it
// and save again. A change whose outcome is unknown (no answer came) closes the window: the page
// the editor came from reads its list again and shows what the service holds. Escape and the
// close box ask before typed changes go (TEditorDialog).
class TEditorWindow : public TEditorDialog {
    Q_OBJECT
public:
    TEditorWindow(QWidget* owner, const QString& caption, QSize client);

    void ButSaveClick();
    void ButCancelClick();

    QPushButton* ButCancel = nullptr;
    QPushButton* ButSave = nullptr;

    static constexpr int kFontPixels = 13;
    static constexpr int kEditWidth = 320;
    static const QString kNameWanted; // "Необходимо указать наименование !"

protected:
    // The editor's save steps; true when every step succeeded.
    virtual bool Save() = 0;
    void SaveClick() override { ButSaveClick(); }
    // One change of the save, made with ChangeOnFreshRequest. When its outcome is unknown the
    // window closes after the save, unless `reread` reads what the service holds into it.
    TChange Change(const std::function<bool(TFormLoad&)>& change, const std::function<bool()>& reread = {});
    // The bottom panel, `height` pixels high, with its two buttons.
    QWidget* MakeButtonPanel(int height);
    // Lays the window out as rows of labelled fields over the bottom panel; the fields go into
    // the grid returned, whose parent widget is to own them.
    QGridLayout* FieldsOverButtons(int buttonPanelHeight);
    // "Наименование" and "Примечание" with their boxes EdName and EdPrim as the grid's next rows;
    // the boxes belong to the grid's widget. The name is required.
    void AddNameRows(QGridLayout* grid, QLineEdit*& name, QLineEdit*& prim);
    // "Сохранить" refuses with `message` while the box holds nothing but blanks.
    void RequireName(QLineEdit* box, const QString& message);

private:
    bool m_closeUnknown = false;
    QLineEdit* m_nameBox = nullptr;
    QString m_nameWanted;
};
