#pragma once

#include <QString>

#include <functional>

class QWidget;
class TDocPrintData;

// Prepares a goods document's print form (a report template: "FRDoc1", "FRDocSF", …) from the
// document's print data and shows its preview, modal on `owner`. The print forms install
// themselves here; until they do, "Печать" ends once the requisites are read.
using TDocPrintForms = std::function<void(QWidget* owner, const TDocPrintData& data, const QString& form)>;
TDocPrintForms& DocPrintForms();
