#include "rec_move_kl.h"

#include "record_key.h"

QString TRecMoveKl::GetKey() const {
    using namespace kovrel;
    return DateKey(Dat) + QLatin1Char('=') + D(ID) + QLatin1Char('=') + NameDoc;
}
