#pragma once

#include "report_band.h"

#include <QList>
#include <QString>

// A field of a form's line: a rule with what the program prints on it and, under it, a small
// caption ("подпись", "(ф. и. о.)"); or, without the rule, a plain text between fields.
struct DocField {
    double width = 0;
    QString value;
    QString caption;
    bool rule = true;
    NumberFormat format{};
    bool grow = false; // a long value wraps, and the rule and what lies below move down
};

// Lines of labelled fields: the signatures, "Всего мест ___ (прописью)" and the like.
class DocFields {
public:
    // Font sizes in pixels of a 96 dpi screen; `gap` in mm between fields.
    DocFields(double valuePx, double captionPx, double gap);

    // Height of the caption row under the rules.
    double captionHeight() const;

    // `label` in `labelWidth` mm at (x, y), then the fields left to right, on a line `height`
    // mm high whose bottom is the rules'; a label or value of several lines stands on the rule
    // and reaches up. Returns the right edge of the last field.
    double add(ReportBand& band, double x, double y, double height, const QString& label, double labelWidth,
               const QList<DocField>& fields) const;

private:
    double m_valuePx;
    double m_captionPx;
    double m_gap;
};
