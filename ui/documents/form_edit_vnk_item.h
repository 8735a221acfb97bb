#pragma once

#include "doc_family.h"
#include "form_edit_doc_item_of.h"

// The transfer line editor: the sending store may not give more than it holds, and the
// receiving store may not lose goods it has already passed on.
using TFormEditVnkItem = TFormEditDocItemOf<VnkFamily>;
