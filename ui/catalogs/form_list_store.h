#pragma once

#include "form_list_of.h"
#include "rec_klient.h"

// The store picker, "Выбор склада": only the stores the user has full access to. The choice
// leaves the name and the ID in the selection slot.
class TFormListStore final : public TFormListOf<TRecKlient> {
    Q_OBJECT
public:
    TFormListStore(QWidget* owner, TSelectionSlot& slot);

protected:
    void Query(TFormLoad& fl, RecordList<TRecKlient>& list, const QString& filter) override {
        fl.SelectStoreList(list, filter);
    }
    bool Keep(const TRecKlient& rec) const override;
    QStringList Cells(const TRecKlient& rec) const override { return {rec.Name}; }
    void Choose(const TRecKlient& rec) override;

private:
    void FormCreate();
};
