#pragma once

#include "form_edit_doc_of.h"

// The internal transfer editor, "Внутренняя накладная": goods move from a sending store to a
// receiving one; neither store's stock may go below zero.
using TFormEditVnk = TFormEditDocOf<VnkFamily>;
