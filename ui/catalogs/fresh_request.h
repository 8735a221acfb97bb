#pragma once

#include "form_load.h"

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
