#include "form_edit_good.h"

#include "combo_id.h"
#include "controls.h"
#include "fresh_request.h"
#include "number_text.h"
#include "window_frame.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>

namespace {
constexpr int kNumberWidth = 120;
constexpr int kVisibleCategories = 32;
} // namespace

TFormEditGood::TFormEditGood(QWidget* owner, TRecGood& rec)
    : TEditorWindow(owner, QStringLiteral("Редактирование товара"), {484, 361})
    , LocalRec(rec) {
    setObjectName(QStringLiteral("FormEditGood"));
    QGridLayout* grid = FieldsOverButtons(50);
    QWidget* fields = grid->parentWidget();
    AddNameRows(grid, EdName, EdPrim);
    EdCen = MakeEdit(fields, "EdCen", kNumberWidth);
    EdPack = MakeEdit(fields, "EdPack", kNumberWidth);
    EdNds = MakeEdit(fields, "EdNds", kNumberWidth);
    EdBarCode = MakeEdit(fields, "EdBarCode", kEditWidth);
    EdCode = MakeEdit(fields, "EdCode", kEditWidth);
    ComBoxGroup = MakeCombo(fields, "ComBoxGroup", {}, kEditWidth);
    ComBoxGroup->setMaxVisibleItems(kVisibleCategories);
    AddLabelledRow(grid, QStringLiteral("Прод.цена"), EdCen);
    AddLabelledRow(grid, QStringLiteral("Упаковка"), EdPack);
    AddLabelledRow(grid, QStringLiteral("Ставка НДС"), EdNds);
    AddLabelledRow(grid, QStringLiteral("Штрих-код"), EdBarCode);
    AddLabelledRow(grid, QStringLiteral("Доп. код"), EdCode);
    AddLabelledRow(grid, QStringLiteral("Категория"), ComBoxGroup);
    FormCreate();
}

void TFormEditGood::FormCreate() {
    RecordList<TRecKlient> groups;
    OnFreshRequest([&](TFormLoad& fl) { fl.SelectGroupList(groups, QString()); });
    for (const auto& g : groups)
        AddComboItem(ComBoxGroup, g->Name, g->ID);
    if (ComBoxGroup->count() > 0) ComBoxGroup->setCurrentIndex(0);

    EdName->setText(LocalRec.Name);
    EdPrim->setText(LocalRec.Prim);
    EdCen->setText(FormatFixed(2, LocalRec.PCen));
    EdPack->setText(FormatQty(1, 3, LocalRec.Pack));
    EdNds->setText(FormatQty(1, 2, LocalRec.Nds));
    EdBarCode->setText(LocalRec.BarCode);
    EdCode->setText(LocalRec.Code);
    SetComboID(ComBoxGroup, LocalRec.GrCode);
}

bool TFormEditGood::Save() {
    LocalRec.Name = EdName->text().trimmed();
    LocalRec.Prim = EdPrim->text().trimmed();
    LocalRec.BarCode = EdBarCode->text().trimmed();
    LocalRec.Code = EdCode->text().trimmed();
    LocalRec.PCen = ParseFloatDef(EdCen->text(), LocalRec.PCen);
    LocalRec.Pack = ParseFloatDef(EdPack->text(), LocalRec.Pack);
    LocalRec.Nds = ParseFloatDef(EdNds->text(), LocalRec.Nds);
    LocalRec.GrCode = GetComboID(ComBoxGroup, LocalRec.GrCode);
    if (LocalRec.ID < 1)
        return ChangeOnFreshRequest([this](TFormLoad& fl) { return fl.InsertGood(LocalRec); });
    return ChangeOnFreshRequest([this](TFormLoad& fl) { return fl.UpdateGood(LocalRec); });
}
