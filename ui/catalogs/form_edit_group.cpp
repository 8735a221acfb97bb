#include "form_edit_group.h"

#include "controls.h"
#include "fresh_request.h"
#include "window_frame.h"

#include <QGridLayout>
#include <QLineEdit>

TFormEditGroup::TFormEditGroup(QWidget* owner, TRecKlient& rec)
    : TEditorWindow(owner, QStringLiteral("Редактирование категории"), {484, 161})
    , LocalRec(rec) {
    QGridLayout* grid = FieldsOverButtons(50);
    QWidget* fields = grid->parentWidget();
    EdName = MakeEdit(fields, "EdName", kEditWidth);
    EdPrim = MakeEdit(fields, "EdPrim", kEditWidth);
    AddLabelledRow(grid, QStringLiteral("Наименование"), EdName);
    AddLabelledRow(grid, QStringLiteral("Примечание"), EdPrim);

    EdName->setText(LocalRec.Name);
    EdPrim->setText(LocalRec.Prim);
}

bool TFormEditGroup::Save() {
    LocalRec.Name = EdName->text().trimmed();
    LocalRec.Prim = EdPrim->text().trimmed();
    if (LocalRec.ID <= 0) return OnFreshRequest([this](TFormLoad& fl) { return fl.InsertGroup(LocalRec); });
    return OnFreshRequest([this](TFormLoad& fl) { return fl.UpdateGroup(LocalRec); });
}
