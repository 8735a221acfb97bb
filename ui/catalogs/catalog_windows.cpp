#include "catalog_windows.h"

#include "form_list_good.h"
#include "form_list_kl.h"
#include "form_list_store.h"
#include "window_seams.h"

void InstallCatalogWindows(TWindowSeams& w) {
    w.FormListGood = [](QWidget* owner, TSelectionSlot& slot, const TListGoodArgs& args) {
        TFormListGood picker(owner, slot, args);
        return picker.exec();
    };
    w.FormListKl = [](QWidget* owner, TSelectionSlot& slot, int typeIndex, bool typeEnabled) {
        TFormListKl picker(owner, slot);
        picker.SetKindFilter(typeIndex, typeEnabled);
        return picker.exec();
    };
    w.FormListStore = [](QWidget* owner, TSelectionSlot& slot) {
        TFormListStore picker(owner, slot);
        return picker.exec();
    };
}
