#include "rec_move_good.h"

#include "record_key.h"

QString TRecMoveGood::GetKey() const {
    using namespace kovrel;
    return DateKey(DocDat) + QLatin1Char('=') + D(DocID) + QLatin1Char('=') + D(ID);
}
