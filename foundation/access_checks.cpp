#include "access_checks.h"

#include "session.h"
#include "user_interaction.h"

const char* const kAccessDenied = "Доступ запрещен. ";

namespace {

bool answer(bool granted, bool showMessage) {
    if (!granted && showMessage) ShowInfo(QString::fromUtf8(kAccessDenied));
    return granted;
}

bool isAdmin() {
    return SignInState.flagAdmin == 1;
}

const TRecUserRights* userRight(int code) {
    return UserRights.Find(QString::number(code));
}

const TRecStoreRights* storeRight(int storeID) {
    return StoreRights.Find(QString::number(storeID));
}

} // namespace

bool CheckRight(int code, bool showMessage) {
    if (isAdmin()) return true;
    const TRecUserRights* r = userRight(code);
    return answer(r && r->ur == 1, showMessage);
}

bool CheckNotDenied(int code, bool showMessage) {
    if (isAdmin()) return true;
    const TRecUserRights* r = userRight(code);
    return answer(r && r->ur == 0, showMessage);
}

bool CheckDocAge(int code, bool showMessage, TDateTime docDate) {
    if (isAdmin()) return true;
    const TRecUserRights* r = userRight(code);
    const int days = r ? r->ur : 0;
    return answer(days == 0 || kovrel::WholeDaysBetween(kovrel::Now(), docDate) < days, showMessage);
}

bool CheckStoreFull(int storeID, bool showMessage) {
    if (isAdmin()) return true;
    const TRecStoreRights* r = storeRight(storeID);
    return answer(!r || r->ur == 1, showMessage);
}

bool CheckStoreView(int storeID, bool showMessage) {
    if (isAdmin()) return true;
    const TRecStoreRights* r = storeRight(storeID);
    return answer(!r || r->ur == 1 || r->ur == 2, showMessage);
}
