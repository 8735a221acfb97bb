#include "rec_money.h"

#include "record_key.h"

QString TRecMoney::GetKey() const {
    using namespace kovrel;
    return DaysTo2100Key(DocDate) + QLatin1Char('=') + D(10000000 - static_cast<qint64>(ID));
}
