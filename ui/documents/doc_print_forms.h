#pragma once

#include <QString>

#include <functional>

class QWidget;
class TDocPrintData;

// Prepares a goods document's print form (a report template: "FRDoc1", "FRDocSF", …) from the
// document's print data and shows its preview, modal on `owner`, through the preview of the
// program's windows (WindowSeams().Preview). A form that cannot be prepared is not shown.
using TDocPrintForms = std::function<void(QWidget* owner, const TDocPrintData& data, const QString& form)>;
// The program's own.
TDocPrintForms ProgramDocPrintForms();
// The one in use: the program's own unless something put another in its place.
TDocPrintForms& DocPrintForms();
