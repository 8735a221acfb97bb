#include "form_edit_group.h"

#include "fresh_request.h"

#include <QLineEdit>

TFormEditGroup::TFormEditGroup(QWidget* owner, TRecKlient& rec)
    : TEditorWindow(owner, QStringLiteral("Редактирование категории"), {484, 161})
    , LocalRec(rec) {
    setObjectName(QStringLiteral("FormEditGroup"));
    AddNameRows(FieldsOverButtons(50), EdName, EdPrim);

    EdName->setText(LocalRec.Name);
    EdPrim->setText(LocalRec.Prim);
    WatchAllInputs();
}

bool TFormEditGroup::Save() {
    LocalRec.Name = EdName->text().trimmed();
    LocalRec.Prim = EdPrim->text().trimmed();
    if (LocalRec.ID <= 0) return Change([this](TFormLoad& fl) { return fl.InsertGroup(LocalRec); });
    return Change([this](TFormLoad& fl) { return fl.UpdateGroup(LocalRec); });
}
