#pragma once

#include "form_edit_doc_of.h"

// The order editor, "Заказ (счет)": goods a buyer orders from a store. An order moves no
// stock, so any goods item of the catalog can be ordered in any quantity.
using TFormEditInvoice = TFormEditDocOf<InvoiceFamily>;
