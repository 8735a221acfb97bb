#pragma once

#include "form_edit_doc.h"

// The receipt editor, "Приходная накладная": goods arrive from a supplier in one of the
// account's stores. Beside the lines added one by one, a supplier's spreadsheet can be loaded
// ("Загрузить из Excel"): its rows are matched to the goods catalog and sent in one request;
// rows that match nothing become new goods items on the service.
class TFormEditPrh final : public TFormEditDoc {
    Q_OBJECT
public:
    TFormEditPrh(QWidget* owner, TSelectionSlot& slot, TRecDoc& rec);

    void ButLoadExcelClick();
    // Reads the chosen file's first sheet, asks about the rows found, matches and sends them.
    void ImportExcel();

    static const QString kImportQuestion; // the instruction asked before the file dialog
    static const QString kOpenDialETitle;
    static const QString kOpenDialEFilter;
};
