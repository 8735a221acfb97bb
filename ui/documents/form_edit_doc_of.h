#pragma once

#include "form_edit_doc.h"

// The document editor bound to one kind: TFormEditNkl, TFormEditInvoice and TFormEditVnk are
// this with their family; the receipt editor adds the spreadsheet import (TFormEditPrh).
template <const TDocFamily& (*KindFamily)()>
class TFormEditDocOf final : public TFormEditDoc {
public:
    TFormEditDocOf(QWidget* owner, TSelectionSlot& slot, TRecDoc& rec)
        : TFormEditDoc(owner, KindFamily(), slot, rec) {}
};
