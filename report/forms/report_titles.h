#pragma once

#include "report_controls.h"

#include <QString>
#include <QStringList>

// The title texts of the printed reports ("ost", "move_good", … "dolg"), built from the page's
// controls at printing time: lines separated by carriage returns, one more after the last.
class ReportTitles {
public:
    // Empty for a field that is no title.
    static QString text(const QString& field, const ReportControls& controls);
    static bool isTitle(const QString& field);
    // The controls the title reads, in the order of its lines.
    static QStringList controls(const QString& field);
};
