#include "window_seams.h"

#include "catalog_windows.h"
#include "form_edit_money.h"
#include "goods_document_windows.h"
#include "window_place.h"

TWindowSeams ProgramWindows() {
    TWindowSeams w;
    InstallCatalogWindows(w);
    InstallGoodsDocumentWindows(w);
    w.FormEditMoney = TFormEditMoney::Execute;
    w.Preview = [](QWidget* owner, const PreparedReport& report, const ReportPageSetup& page,
                   const ReportPreview::Rebuild& rebuild) {
        ReportPreview preview(report, page, rebuild, owner);
        WindowPlace::Keep(&preview, QStringLiteral("ReportPreview"));
        return preview.exec();
    };
    return w;
}

TWindowSeams& WindowSeams() {
    static TWindowSeams windows = ProgramWindows();
    return windows;
}
