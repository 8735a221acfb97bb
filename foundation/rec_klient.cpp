#include "rec_klient.h"

#include "record_key.h"

QString TRecKlient::GetKey() const {
    return Name + QLatin1Char('=') + kovrel::D(ID);
}
