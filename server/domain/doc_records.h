#pragma once

#include <QDate>
#include <QString>

namespace kovrel::server {

// A goods document's header as stored. A missing counterparty or receiving store is 0.
struct DocHeader {
    int id = 0;
    QDate date;
    int klient = 0;
    int store = 0;  // the store, or the sending store of a transfer
    int storeP = 0; // the receiving store of a transfer
    QString prim;
};

// A document line as stored. A kit is a line with flagNorm 1 and component lines with flagNorm
// 0; all of them have idRow = the kit line's ID, and a component has normKol units per kit.
struct DocLine {
    int id = 0;
    int docId = 0;
    int goods = 0;
    double kol = 0;
    double zcen = 0;
    double rcen = 0;
    double nds = 0;
    int flagNorm = 0;
    int idRow = 0;
    double normKol = 0;

    bool IsKit() const { return flagNorm != 0; }
    bool IsKitComponent() const { return flagNorm == 0 && idRow != 0; }
};

} // namespace kovrel::server
