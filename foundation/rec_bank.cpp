#include "rec_bank.h"

#include "record_key.h"

QString TRecBank::GetKey() const {
    return kovrel::D(ID);
}
