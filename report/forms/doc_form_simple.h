#pragma once

#include "report_template.h"

#include <QString>

// FRDoc1 and FRDoc2, the simple waybill or order of every goods document: the title, who hands
// the goods over and who receives them, the lines without or with packs, the total and two
// signatures. A4 portrait.
class DocFormSimple {
public:
    // `title` opens the heading: "Накладная" or "Заказ", then the number and the date.
    static ReportTemplate make(const QString& name, bool packs, const QString& title);
};
