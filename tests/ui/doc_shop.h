#pragma once

#include "doc_family.h"
#include "rec_doc.h"
#include "rec_doc_item.h"
#include "rec_good.h"
#include "record_list.h"

#include <QList>
#include <QString>

// What the document tests need on the service, made through the client's own operations as the
// signed-in person; names get a suffix of their own so tests sharing one service never meet.
// A step that the service refuses fails the test (the returned ID is then 0).
namespace DocShop {

// A name no other test uses: the text with a running number.
QString Unique(const QString& text);

int Store(const QString& name);
int Klient(const QString& name); // buyer or supplier

int Good(const QString& name, double pack, double pcen, double nds = 0, const QString& code = {},
         const QString& barCode = {});
// The ID of the catalog entry named exactly so (kits included), or 0.
int GoodNamed(const QString& name);
int KitNamed(const QString& name);
// A kit of the demo catalog.
TRecGood AnyKit();

struct Line {
    int goods;
    double kol;
    double cenZ = 0;
    double cenR = 0;
};

// A header of the family's kind dated `date` between the given parties (store and buyer or
// supplier; a transfer's two stores), stored with its lines; the header as stored.
TRecDoc Doc(const TDocFamily& family, int first, int second, const QList<Line>& lines = {},
            TDateTime date = 0);
int AddLine(const TDocFamily& family, const TRecDoc& doc, const Line& line);
// The document's lines with the stock of its stores, in the service's order.
RecordList<TRecDocItem> Lines(const TDocFamily& family, TRecDoc doc);
// The one line of a goods item, or a line with ID 0.
TRecDocItem LineOf(const TDocFamily& family, const TRecDoc& doc, int goods);

// Goods into a store and out of it, each as a document of its own.
void Receive(int store, int goods, double kol, double zcen = 10);
void Sell(int store, int goods, double kol, double zcen = 10);

} // namespace DocShop
