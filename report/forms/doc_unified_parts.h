#pragma once

#include "report_band.h"

#include <QString>

// What the unified forms TORG-12 and TORG-13 share: the approval lines at the top right, the
// column of codes with its labels, and the framed document number and date beside the title.
class DocUnifiedParts {
public:
    // The form's name and approval, right-aligned on two lines, ending at `right`.
    static void approval(ReportBand& band, double right, const QString& form, const QString& approvedBy);

    // A column of framed code boxes `width` mm wide ending at `right`, labels right-aligned
    // before them.
    DocUnifiedParts(double right, double width, double px);
    // The column's heading box ("Коды").
    void heading(ReportBand& band, double y, const QString& text) const;
    void code(ReportBand& band, double y, const QString& label, const QString& value,
              double height = 3.5) const;

    // "Номер документа" and "Дата составления" over `n` and `dat` in boxes from `x` on, the
    // form's title right-aligned before them.
    static void number(ReportBand& band, double x, double y, const QString& title, double px);

private:
    double m_right;
    double m_width;
    double m_px;
};
