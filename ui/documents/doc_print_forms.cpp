#include "doc_print_forms.h"

TDocPrintForms& DocPrintForms() {
    static TDocPrintForms forms;
    return forms;
}
