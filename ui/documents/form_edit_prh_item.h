#pragma once

#include "doc_family.h"
#include "form_edit_doc_item_of.h"

// The receipt line editor: lowering a received quantity may not leave the store's stock below
// zero; a changed purchase price is sent with the price the line had.
using TFormEditPrhItem = TFormEditDocItemOf<PrhFamily>;
