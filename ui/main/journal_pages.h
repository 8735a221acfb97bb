#pragma once

#include "journal_page_of.h"
#include "rec_doc.h"
#include "rec_money.h"

class TSelectionSlot;
class TStatusBar;

// The five document journals of the main window.
struct TJournalPages {
    TJournalPageOf<TRecDoc>* Prh = nullptr;
    TJournalPageOf<TRecDoc>* Nkl = nullptr;
    TJournalPageOf<TRecDoc>* Invoice = nullptr;
    TJournalPageOf<TRecDoc>* Vnk = nullptr;
    TJournalPageOf<TRecMoney>* Money = nullptr;

    static TJournalPages Create(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent);
};

// The text of a "Долг" cell: the unpaid rest of a document, empty when nothing is owed either way.
QString DebtText(double sum, double paid);
