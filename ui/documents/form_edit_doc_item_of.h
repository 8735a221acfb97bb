#pragma once

#include "form_edit_doc_item.h"

// The line editor bound to one kind of document.
template <const TDocFamily& (*KindFamily)()>
class TFormEditDocItemOf final : public TFormEditDocItem {
public:
    TFormEditDocItemOf(QWidget* owner, TStockStores stores, TRecDocItem& rec)
        : TFormEditDocItem(owner, KindFamily(), stores, rec) {}
};
