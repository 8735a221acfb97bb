#include "window_seams.h"

#include "catalog_windows.h"
#include "goods_document_windows.h"

#include <QDialog>

namespace {

// A window of a later part of the program: until it is built, opening it shows nothing and
// counts as closed without OK.
template <class... Args>
std::function<int(Args...)> notYetBuilt() {
    return [](Args...) { return static_cast<int>(QDialog::Rejected); };
}

} // namespace

TWindowSeams ProgramWindows() {
    TWindowSeams w;
    w.FormEditKl = notYetBuilt<QWidget*, TRecKlient&>();
    w.FormEditGood = notYetBuilt<QWidget*, TRecGood&>();
    w.FormEditGroup = notYetBuilt<QWidget*, TRecKlient&>();
    w.FormEditUser = notYetBuilt<QWidget*, TRecUser&>();
    w.FormEditOrg = notYetBuilt<QWidget*, int>();
    w.FormListGood = notYetBuilt<QWidget*, TSelectionSlot&, const TListGoodArgs&>();
    w.FormListKl = notYetBuilt<QWidget*, TSelectionSlot&, int, bool>();
    w.FormListStore = notYetBuilt<QWidget*, TSelectionSlot&>();
    w.FormEditPrh = notYetBuilt<QWidget*, TSelectionSlot&, TRecDoc&>();
    w.FormEditNkl = notYetBuilt<QWidget*, TSelectionSlot&, TRecDoc&>();
    w.FormEditInvoice = notYetBuilt<QWidget*, TSelectionSlot&, TRecDoc&>();
    w.FormEditVnk = notYetBuilt<QWidget*, TSelectionSlot&, TRecDoc&>();
    w.FormEditMoney = notYetBuilt<QWidget*, TSelectionSlot&, TRecMoney&>();
    InstallCatalogWindows(w);
    InstallGoodsDocumentWindows(w);
    return w;
}

TWindowSeams& WindowSeams() {
    static TWindowSeams windows = ProgramWindows();
    return windows;
}
