#pragma once

#include "form_edit_doc_of.h"

// The sales waybill editor, "Расходная накладная": goods leave one of the account's stores for
// a buyer; the lines are picked from the store's stock, which never goes below zero.
using TFormEditNkl = TFormEditDocOf<NklFamily>;
