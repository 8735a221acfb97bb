#include "form_list_store.h"

#include "access_checks.h"
#include "selection_slot.h"

TFormListStore::TFormListStore(QWidget* owner, TSelectionSlot& slot)
    : TFormListOf(owner, slot, QStringLiteral("Выбор склада"), {384, 611}, 50) {
    FormCreate();
}

void TFormListStore::FormCreate() {
    Slot.SelName.clear();
    Slot.SelID = -1;
    SetColumns({330}, {QStringLiteral("Наименование")});
    Refresh();
}

bool TFormListStore::Keep(const TRecKlient& rec) const {
    return CheckStoreFull(rec.ID, false);
}

void TFormListStore::Choose(const TRecKlient& rec) {
    Slot.SelName = rec.Name;
    Slot.SelID = rec.ID;
}
