#include "rec_dolg.h"

#include "record_key.h"

QString TRecDolg::GetKey() const {
    return KlientName + QLatin1Char('=') + kovrel::D(KlientID);
}
