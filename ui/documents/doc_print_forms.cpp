#include "doc_print_forms.h"

#include "doc_forms.h"
#include "window_seams.h"

#include <QtGlobal>

namespace {

void showForm(QWidget* owner, const TDocPrintData& data, const QString& form) {
    const PrepareResult prepared = DocForms::prepare(form, data);
    if (!prepared) {
        qWarning("%s", qPrintable(prepared.error));
        return;
    }
    // The preview is modal: the editor's state that `data` reads outlives it.
    WindowSeams().Preview(
        owner, *prepared.report, DocForms::makeTemplate(form, data).page,
        [data, form](const ReportPageSetup& setup) { return DocForms::prepare(form, data, setup); });
}

} // namespace

TDocPrintForms ProgramDocPrintForms() {
    return showForm;
}

TDocPrintForms& DocPrintForms() {
    static TDocPrintForms forms = ProgramDocPrintForms();
    return forms;
}
