#pragma once

#include "rec_doc.h"
#include "rec_good.h"
#include "rec_klient.h"
#include "rec_money.h"
#include "rec_user.h"
#include "report_preview.h"

#include <functional>

class QWidget;
class TSelectionSlot;

// Parameters of the goods picker.
struct TListGoodArgs {
    bool FlagIns = false;  // show "Добавить"
    int SelCodeStore = -1; // store whose stock mode 2 lists
    int SelFlagZero = 0;   // zero-stock flag of the stock query
    int SelMode = 1;       // 1 the goods catalog, 2 the stock of SelCodeStore
};

// The modal windows that the main window and its pages open: catalog editors, pickers,
// document editors and the report preview. Each is shown modally on its owner and returns QDialog::Accepted
// when it closed with OK, QDialog::Rejected otherwise. Editors change the record they are given in place;
// pickers leave their choice in the selection slot.
struct TWindowSeams {
    std::function<int(QWidget* owner, TRecKlient& rec)> FormEditKl; // stores, counterparties, managers
    std::function<int(QWidget* owner, TRecGood& rec)> FormEditGood;
    std::function<int(QWidget* owner, TRecKlient& rec)> FormEditGroup;
    std::function<int(QWidget* owner, TRecUser& rec)> FormEditUser;
    std::function<int(QWidget* owner, int id)> FormEditOrg; // requisites of the own organization

    std::function<int(QWidget* owner, TSelectionSlot& slot, const TListGoodArgs& args)> FormListGood;
    // The kind filter set to entry `typeIndex` and enabled or not.
    std::function<int(QWidget* owner, TSelectionSlot& slot, int typeIndex, bool typeEnabled)> FormListKl;
    std::function<int(QWidget* owner, TSelectionSlot& slot)> FormListStore;

    std::function<int(QWidget* owner, TSelectionSlot& slot, TRecDoc& rec)> FormEditPrh;
    std::function<int(QWidget* owner, TSelectionSlot& slot, TRecDoc& rec)> FormEditNkl;
    std::function<int(QWidget* owner, TSelectionSlot& slot, TRecDoc& rec)> FormEditInvoice;
    std::function<int(QWidget* owner, TSelectionSlot& slot, TRecDoc& rec)> FormEditVnk;
    std::function<int(QWidget* owner, TSelectionSlot& slot, TRecMoney& rec)> FormEditMoney;

    // The preview of a prepared report, modal; `rebuild` lays it out again after a page setup.
    std::function<int(QWidget* owner, const PreparedReport& report, const ReportPageSetup& page,
                      const ReportPreview::Rebuild& rebuild)>
        Preview;
};

// The program's own windows.
TWindowSeams ProgramWindows();
// The windows in use: the program's own unless something put others in their place.
TWindowSeams& WindowSeams();
