#include "rec_user.h"

#include "record_key.h"

QString TRecUser::GetKey() const {
    return UserName + QLatin1Char('=') + kovrel::D(ID);
}
