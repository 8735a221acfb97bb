#pragma once

#include <QString>

namespace kovrel::server {

// Whom the four authentication fields of a request name, and whether the password fits.
struct Identity {
    bool accountFound = false; // the administrator login names an account
    bool adminClaim = false;   // no user login was given: the administrator signs in
    bool passwordOk = false;   // the password fits the administrator or the user named
    qint64 accountId = 0;
    int userId = 0; // 0 for the administrator
    QString userName;
    qint64 dataVersion = 0; // the account's data version, read before the password was checked

    bool Authenticated() const { return accountFound && passwordOk; }
    bool IsAdmin() const { return Authenticated() && adminClaim; }
};

} // namespace kovrel::server
