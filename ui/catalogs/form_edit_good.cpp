#include "form_edit_good.h"

#include "combo_id.h"
#include "controls.h"
#include "fresh_request.h"
#include "number_box.h"
#include "number_text.h"
#include "units_of_measure.h"
#include "user_interaction.h"
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
    ComBoxUnit = MakeCombo(fields, "ComBoxUnit", {}, kNumberWidth);
    AddLabelledRow(grid, QStringLiteral("Прод.цена"), EdCen);
    AddLabelledRow(grid, QStringLiteral("Упаковка"), EdPack);
    AddLabelledRow(grid, QStringLiteral("Ставка НДС"), EdNds);
    AddLabelledRow(grid, QStringLiteral("Штрих-код"), EdBarCode);
    AddLabelledRow(grid, QStringLiteral("Доп. код"), EdCode);
    AddLabelledRow(grid, QStringLiteral("Категория"), ComBoxGroup);
    AddLabelledRow(grid, QStringLiteral("Ед. изм."), ComBoxUnit);
    FormCreate();
    WatchAllInputs();
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
    fillUnits();
}

void TFormEditGood::fillUnits() {
    ComBoxUnit->addItem(QStringLiteral("-"), QString());
    for (const TUnitOfMeasure& u : UnitsOfMeasure())
        ComBoxUnit->addItem(QStringLiteral("%1 (%2)").arg(u.name, u.okei), u.okei);
    // A code the list lacks (set elsewhere) stays the item's until another is chosen.
    if (!IsKnownUnit(LocalRec.OKEI)) ComBoxUnit->addItem(LocalRec.OKEI, LocalRec.OKEI);
    ComBoxUnit->setCurrentIndex(ComBoxUnit->findData(LocalRec.OKEI));
}

// A number box that holds no number is refused, naming it, before anything is sent.
bool TFormEditGood::Save() {
    const std::optional<double> cen = ReadNumberBox(EdCen, QStringLiteral("Прод.цена"));
    if (!cen) return false;
    const std::optional<double> pack = ReadNumberBox(EdPack, QStringLiteral("Упаковка"));
    if (!pack) return false;
    const std::optional<double> nds = ReadNumberBox(EdNds, QStringLiteral("Ставка НДС"));
    if (!nds) return false;
    LocalRec.Name = EdName->text().trimmed();
    LocalRec.Prim = EdPrim->text().trimmed();
    LocalRec.BarCode = EdBarCode->text().trimmed();
    LocalRec.Code = EdCode->text().trimmed();
    LocalRec.PCen = *cen;
    LocalRec.Pack = *pack;
    LocalRec.Nds = *nds;
    LocalRec.GrCode = GetComboID(ComBoxGroup, LocalRec.GrCode);
    const QString unit = ComBoxUnit->currentData().toString();
    if (LocalRec.ID < 1) return insertGood(unit);
    return Change([this](TFormLoad& fl) { return fl.UpdateGood(LocalRec); }) && sendUnit(unit);
}

// The insert does not learn the new item's ID, which the unit's write needs: it is the newest
// item of the same name, code and bar code. Once found, the record carries it, so that saving
// again after a refused unit updates the item instead of adding another.
bool TFormEditGood::insertGood(const QString& unit) {
    if (!Change([this](TFormLoad& fl) { return fl.InsertGood(LocalRec); })) return false;
    if (unit.isEmpty()) return true;
    RecordList<TRecGood> found;
    OnFreshRequest([&](TFormLoad& fl) { fl.SelectGoodList(found, LocalRec.Name, false); });
    for (const auto& g : found)
        if (g->Name == LocalRec.Name && g->Code == LocalRec.Code && g->BarCode == LocalRec.BarCode)
            LocalRec.ID = std::max(LocalRec.ID, g->ID);
    if (LocalRec.ID < 1) {
        ShowInfo(QStringLiteral("Товар сохранен, а единица измерения нет: сервер не показал новый товар. "
                                "Откройте товар и выберите единицу измерения снова."));
        return true;
    }
    return sendUnit(unit);
}

bool TFormEditGood::sendUnit(const QString& unit) {
    if (unit == LocalRec.OKEI) return true;
    if (!Change([&](TFormLoad& fl) { return fl.UpdateGoodUnit(LocalRec.ID, unit); })) return false;
    LocalRec.OKEI = unit;
    return true;
}
