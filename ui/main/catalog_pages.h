#pragma once

#include "catalog_page_of.h"
#include "rec_good.h"
#include "rec_klient.h"
#include "rec_user.h"

class TStatusBar;

// The seven catalog pages of the main window.
struct TCatalogPages {
    TCatalogPageOf<TRecKlient>* Store = nullptr;
    TCatalogPageOf<TRecKlient>* Klient = nullptr;
    TCatalogPageOf<TRecKlient>* Manager = nullptr;
    TCatalogPageOf<TRecGood>* Good = nullptr;
    TCatalogPageOf<TRecGood>* Norm = nullptr;
    TCatalogPageOf<TRecKlient>* Group = nullptr;
    TCatalogPageOf<TRecUser>* User = nullptr;

    static TCatalogPages Create(TStatusBar& bar, QWidget* parent);
};
