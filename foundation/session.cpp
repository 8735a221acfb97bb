#include "session.h"

QString Login;
QString DopLogin;
QString Token;
QString ClientTag = QStringLiteral("W");
QString BaseURL = DefaultBaseURL();
TSignInRec SignInState;
TSortedList<TRecUserRights> UserRights;
TSortedList<TRecStoreRights> StoreRights;

QString DefaultBaseURL() {
    return QStringLiteral(KOVREL_BASE_URL);
}
