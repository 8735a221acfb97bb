#pragma once

#include "report_template.h"

#include <QString>

// A text element of a document form, described in one expression:
// DocText(x, y, w, h, "Сумма", 8).bold().frame().center().
class DocText {
public:
    // Font sizes are pixels of a 96 dpi screen, as the forms were drawn.
    DocText(double x, double y, double width, double height, const QString& text, double px);

    DocText& bold();
    DocText& underline();
    DocText& align(Qt::Alignment horizontal);
    DocText& center();  // horizontally
    DocText& right();   // horizontally
    DocText& middle();  // vertically
    DocText& bottom();  // vertically
    DocText& wrap();    // breaks at word boundaries inside its width
    DocText& grow();    // wraps and grows downwards with the band
    DocText& fitBand(); // reaches down to the band's bottom
    DocText& frame(int sides = FrameAll);
    DocText& format(const NumberFormat& format);
    DocText& padding(double mm);

    operator ReportText() const { return m_text; }

private:
    ReportText m_text;
};

// A form's template: its name, the page and the lines from DSetItems.
ReportTemplate DocTemplate(const QString& name, bool landscape, const QMarginsF& margins);

// "Страница N из M" at the right of a page footer band `height` mm high.
ReportBand PageFooter(double width, double height, double px);

// The variables of the forms' two data sources.
QString Zag(const char* field);
QString Item(const char* field);
