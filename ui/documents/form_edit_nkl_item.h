#pragma once

#include "doc_family.h"
#include "form_edit_doc_item_of.h"

// The sale line editor: the quantity may not exceed the store's stock plus the line's own.
using TFormEditNklItem = TFormEditDocItemOf<NklFamily>;
