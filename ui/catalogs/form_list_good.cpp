#include "form_list_good.h"

#include "controls.h"
#include "number_text.h"
#include "selection_slot.h"

#include <QGridLayout>
#include <QPushButton>

TFormListGood::TFormListGood(QWidget* owner, TSelectionSlot& slot, const TListGoodArgs& args)
    : TFormListOf(owner, slot, QStringLiteral("Выбор товара"), {534, 611}, 45)
    , FlagIns(args.FlagIns)
    , SelCodeStore(args.SelCodeStore)
    , SelFlagZero(args.SelFlagZero)
    , SelMode(args.SelMode) {
    setObjectName(QStringLiteral("FormListGood"));
    ButIns = MakeButton(this, "ButIns", QStringLiteral("Добавить"));
    PanelGrid()->addWidget(ButIns, 0, 3);
    connect(ButIns, &QPushButton::clicked, this, &TFormListGood::ButInsClick);
    FormCreate();
}

void TFormListGood::FormCreate() {
    Slot.SelName.clear();
    Slot.SelID = -1;
    Slot.SelCenZ = 0;
    Slot.SelCenR = 0;
    if (stockMode()) {
        resize(550, height());
        SetColumns({330, 80, 80}, {QStringLiteral("Наименование"), QStringLiteral("Кол-во остаток"),
                                   QStringLiteral("Цена")});
    } else {
        resize(450, height());
        SetColumns({330}, {QStringLiteral("Наименование")});
    }
    ButIns->setVisible(FlagIns);
    Refresh();
}

void TFormListGood::Query(TFormLoad& fl, RecordList<TRecGood>& list, const QString& filter) {
    if (stockMode())
        fl.SelectOstList(list, filter, SelFlagZero, SelCodeStore);
    else
        fl.SelectGoodList(list, filter, false);
}

bool TFormListGood::Keep(const TRecGood& rec) const {
    return !stockMode() || !kovrel::IsZero(rec.GetOst());
}

QString TFormListGood::KeyOf(const TRecGood& rec) const {
    return stockMode() ? rec.GetKeyCenZ() : rec.GetKey();
}

QStringList TFormListGood::Cells(const TRecGood& rec) const {
    if (!stockMode()) return {rec.Name};
    return {rec.Name, FormatQty(1, 3, rec.GetOst()), FormatFixed(2, rec.PCen)};
}

void TFormListGood::Choose(const TRecGood& rec) {
    Slot.SelName = rec.Name;
    Slot.SelID = rec.ID;
    Slot.SelCenZ = rec.ZCen;
    Slot.SelCenR = rec.PCen;
}

void TFormListGood::ButInsClick() {
    TRecGood rec;
    WindowSeams().FormEditGood(this, rec);
    Refresh();
}
