#pragma once

#include "form_load.h"
#include "server_wait.h"

#include <functional>
#include <optional>

class TStatusBar;

// Runs one service operation on a request object of its own, created before the call and
// released after it, as the editors make every call.
template <class Op>
auto OnFreshRequest(Op operation) {
    TFormLoad fl;
    return operation(fl);
}

// As OnFreshRequest for a query: true when the service answered it without failure, so that
// an empty answer can be told from none.
template <class Op>
bool AnsweredOnFreshRequest(Op query) {
    TFormLoad fl;
    query(fl);
    return !fl.Failed();
}

// As OnFreshRequest for a query whose caller keeps what it showed when the query fails: the
// failure, or nothing when the service answered.
template <class Op>
std::optional<kovrel::RequestFailure> FailureOnFreshRequest(Op query) {
    TFormLoad fl;
    query(fl);
    return fl.Failure();
}

// What became of a change sent to the service: carried out, refused (or never arrived), or
// unknown, when the request went out and no answer came back (cancelled, or the service fell
// silent): the service may hold the change or not.
struct TChange {
    bool done = false;
    bool unknown = false;
    operator bool() const { return done; }
};

// What the user is told when the service did not carry out a change: why, in one sentence.
QString RefusalText(const TFormLoad& fl);
void ShowRefusal(const TFormLoad& fl);
// As ShowRefusal, adding that the outcome is unknown when the change may have been carried out
// and whether what the service holds was read again (`reread`): a caller that reads again right
// after says so.
void ShowChangeFailure(const TFormLoad& fl, bool reread = true);

// As OnFreshRequest for a change (a save, insert or delete). When the service did not carry it
// out, the user is told why, once, and the window keeps what was typed. When its outcome is
// unknown, `reread` first reads again what the service holds and shows it (true when it could;
// without one the caller reads again right after), then the user is told that the outcome is
// unknown. With a status bar, its panel shows the wait meanwhile and, after a failure, why.
TChange ChangeOnFreshRequest(const std::function<bool(TFormLoad&)>& change, TStatusBar* bar = nullptr,
                             int panel = 0, const std::function<bool()>& reread = {});
