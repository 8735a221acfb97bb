#include "catalog_windows.h"

#include "form_edit_good.h"
#include "form_edit_group.h"
#include "form_edit_kl.h"
#include "form_edit_org.h"
#include "form_edit_user.h"
#include "form_list_good.h"
#include "form_list_kl.h"
#include "form_list_store.h"
#include "window_seams.h"

namespace {

// Shows a window modally on its owner; it is released when it closes.
template <class Window, class... Args>
int runModal(QWidget* owner, Args&&... args) {
    Window window(owner, std::forward<Args>(args)...);
    return window.exec();
}

} // namespace

void InstallCatalogWindows(TWindowSeams& w) {
    w.FormEditKl = [](QWidget* owner, TRecKlient& rec) { return runModal<TFormEditKl>(owner, rec); };
    w.FormEditGood = [](QWidget* owner, TRecGood& rec) { return runModal<TFormEditGood>(owner, rec); };
    w.FormEditGroup = [](QWidget* owner, TRecKlient& rec) { return runModal<TFormEditGroup>(owner, rec); };
    w.FormEditUser = [](QWidget* owner, TRecUser& rec) { return runModal<TFormEditUser>(owner, rec); };
    w.FormEditOrg = [](QWidget* owner, int id) { return runModal<TFormEditOrg>(owner, id); };
    w.FormListGood = [](QWidget* owner, TSelectionSlot& slot, const TListGoodArgs& args) {
        return runModal<TFormListGood>(owner, slot, args);
    };
    w.FormListKl = [](QWidget* owner, TSelectionSlot& slot, int typeIndex, bool typeEnabled) {
        TFormListKl picker(owner, slot);
        picker.SetKindFilter(typeIndex, typeEnabled);
        return picker.exec();
    };
    w.FormListStore = [](QWidget* owner, TSelectionSlot& slot) {
        return runModal<TFormListStore>(owner, slot);
    };
}
