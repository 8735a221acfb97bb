#pragma once

#include "rec_store_rights.h"
#include "rec_user_rights.h"
#include "sorted_list.h"

#include <QString>

// Who is signed in, read by every request and every access check. One instance each, touched
// only from the user-interface thread.

extern QString Login;     // administrator's e-mail login: names the account
extern QString DopLogin;  // user's e-mail login; empty when the administrator works himself
extern QString Token;     // the password as typed
extern QString ClientTag; // "W." major "." minor "." build, or "W" without a version record
extern QString BaseURL;   // scheme and host of the service, no trailing "/"

// The sign-in's answer.
struct TSignInRec {
    int testAdminLogin = 0;
    int testAdminPas = 0;
    int flagAdmin = 0;
    QString userName;
    int userID = 0;
};
extern TSignInRec SignInState;

// Rights of the signed-in person: key = right code in decimal.
extern TSortedList<TRecUserRights> UserRights;
// Store access of the signed-in person: key = store ID in decimal.
extern TSortedList<TRecStoreRights> StoreRights;

// The build's default service address.
QString DefaultBaseURL();
