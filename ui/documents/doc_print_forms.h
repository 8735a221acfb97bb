#pragma once

#include <QString>

#include <functional>

class TFormEditDoc;

// Prepares a goods document's print form (a report template: "FRDoc1", "FRDocSF", …) with the
// report engine and shows its preview; the form reads the document through the editor's
// DSetZagGetValue and DSetItemsGetValue, `lines` records of the latter. The print forms install
// themselves here; until they do, "Печать" ends once the requisites are read.
using TDocPrintForms = std::function<void(TFormEditDoc& editor, const QString& form, int lines)>;
TDocPrintForms& DocPrintForms();
