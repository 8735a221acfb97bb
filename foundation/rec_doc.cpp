#include "rec_doc.h"

#include "record_key.h"

QString TRecDoc::GetKey() const {
    using namespace kovrel;
    return DaysTo2100Key(DocDate) + QLatin1Char('=') + D(10000000 - static_cast<qint64>(ID));
}
