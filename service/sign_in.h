#pragma once

#include "http_transport.h"
#include "session.h"

#include <QString>

// The sign-in and the new-administrator-password request. Both go through the main window's
// own HTTP client, which does not follow redirects; the window decides what to show.
namespace kovrel {

struct SignInOutcome {
    bool failed = false;      // transport failure, HTTP error or unfollowed redirect
    bool unreachable = false; // no answer came at all (no connection, none in time, cancelled)
    QString failure;          // why, as a person reads it (RequestFailure::text)
    QString technical;        // why, as the log keeps it
    int status = 0;
};

// Sends the four authentication fields to "/get-lic-v3.php" and applies the reply to SignInState.
SignInOutcome SignInRequest(HttpTransport& http);

// Reads "test_admin_login", "test_admin_pas", "flag_admin", "user_name", "user_id" in that order.
// A reply that is not a JSON object changes nothing; a value that cannot be read stops the
// reading there, keeping what was set before it.
void ApplySignInReply(const QString& replyText, TSignInRec& state);

// What the sign-in page says about a state, and whether that is a success (shown in green).
struct SignInVerdict {
    QString text;
    bool success = false;
};
SignInVerdict VerdictOf(const TSignInRec& state);

// Loads UserRights and StoreRights for SignInState.userID, each on a fresh request object. The
// lists exist afterwards even when the requests fail.
void LoadSignInRights();
// Empties both, as LoadSignInRights leaves them when the service does not answer, without
// asking it: after a sign-in that got no answer, each request would only wait again.
void ClearSignInRights();

// An address the service can mail a password to: at least 6 characters, with "@" and ".".
bool IsUsableMailAddress(const QString& text);

struct AdminPasswordOutcome {
    bool failed = false;
    QString failure; // as in SignInOutcome
    int status = 0;
    QString text; // the reply, trimmed
};

// Posts the single field `login` to "/create-db.php".
AdminPasswordOutcome RequestNewAdminPassword(HttpTransport& http, const QString& login);

} // namespace kovrel
