#pragma once

#include "form_list_of.h"
#include "rec_good.h"
#include "window_seams.h"

// The goods picker, "Выбор товара". Mode 1 lists the goods catalog; mode 2 the stock of one
// store, only what is in stock, one row per goods item and purchase price. The choice leaves the
// name, the goods ID and both prices in the selection slot. "Добавить" (when asked for) opens
// the goods editor on a new item and lists again afterwards.
class TFormListGood final : public TFormListOf<TRecGood> {
    Q_OBJECT
public:
    TFormListGood(QWidget* owner, TSelectionSlot& slot, const TListGoodArgs& args);

    void ButInsClick();

    QPushButton* ButIns = nullptr;

    const bool FlagIns;
    const int SelCodeStore;
    const int SelFlagZero;
    const int SelMode;

protected:
    void Query(TFormLoad& fl, RecordList<TRecGood>& list, const QString& filter) override;
    bool Keep(const TRecGood& rec) const override;
    QString KeyOf(const TRecGood& rec) const override;
    QStringList Cells(const TRecGood& rec) const override;
    void Choose(const TRecGood& rec) override;

private:
    void FormCreate();
    bool stockMode() const { return SelMode == 2; }
};
