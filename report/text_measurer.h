#pragma once

#include "report_font.h"

#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

// Measures text on one reference device, whatever will draw it later: line breaks, widths and
// line heights in millimetres are decided here once, so the preview, the printer, the PDF and
// PNG pages all break lines and pages at the same places. Needs a QGuiApplication.
class TextMeasurer {
public:
    TextMeasurer();

    // Height of one line of the font.
    double lineHeight(const ReportFont& font);
    double textWidth(const QString& line, const ReportFont& font);
    // The text's lines: broken at its line breaks (CR, LF or CR LF), and with `wrap` also
    // where the words no longer fit into `width`, a word longer than the width wherever it
    // must. Trailing blanks of wrapped lines are dropped.
    QStringList breakLines(const QString& text, const ReportFont& font, double width, bool wrap);
    // The line as it fits into `width`: whole, or cut and ended with "…" (`cut` forces the
    // "…" on a line that fits, since lines after it were dropped).
    QString elided(const QString& line, const ReportFont& font, double width, bool cut = false);

private:
    const QFont& qfont(const ReportFont& font);
    const QString& keyOf(const ReportFont& font);
    double toMm(double px) const;

    QImage m_device;
    QHash<QString, QFont> m_fonts;
    QHash<QString, double> m_lineHeights;
    QHash<QString, double> m_widths; // by font and text: reports repeat their texts a lot
    ReportFont m_lastFont;
    QString m_lastKey;
};
