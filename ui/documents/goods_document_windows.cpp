#include "goods_document_windows.h"

#include "form_edit_invoice.h"
#include "form_edit_nkl.h"
#include "form_edit_prh.h"
#include "form_edit_vnk.h"
#include "window_seams.h"

namespace {

template <class Editor>
int execEditor(QWidget* owner, TSelectionSlot& slot, TRecDoc& rec) {
    Editor editor(owner, slot, rec);
    return editor.exec();
}

} // namespace

void InstallGoodsDocumentWindows(TWindowSeams& windows) {
    windows.FormEditPrh = execEditor<TFormEditPrh>;
    windows.FormEditNkl = execEditor<TFormEditNkl>;
    windows.FormEditInvoice = execEditor<TFormEditInvoice>;
    windows.FormEditVnk = execEditor<TFormEditVnk>;
}
