#pragma once

#include "doc_family.h"
#include "form_edit_doc_item_of.h"

// The order line editor: any quantity; the store's stock is shown for information.
using TFormEditInvoiceItem = TFormEditDocItemOf<InvoiceFamily>;
