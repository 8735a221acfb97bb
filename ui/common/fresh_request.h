#pragma once

#include "form_load.h"
#include "server_wait.h"

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

// What the user is told when the service did not carry out a change: one message with the
// reason from the request's log (the HTTP status and the service's short reason, or why no
// answer came).
QString RefusalText(const TFormLoad& fl);
void ShowRefusal(const TFormLoad& fl);

// As OnFreshRequest for a change (a save, insert or delete): true when the service carried it
// out; otherwise the user is told why, once, and the window keeps what was typed. With a status
// bar, its panel shows the wait meanwhile.
template <class Op>
bool ChangeOnFreshRequest(Op change, TStatusBar* bar = nullptr, int panel = 0) {
    std::optional<TServerWait> wait;
    if (bar) wait.emplace(*bar, panel);
    TFormLoad fl;
    const bool done = change(fl);
    wait.reset();
    if (!done) ShowRefusal(fl);
    return done;
}
