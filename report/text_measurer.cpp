#include "text_measurer.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTextLayout>

namespace {

// Fine enough that rounding to device units never shows in millimetres.
constexpr int kReferenceDpi = 1200;

QString fontKey(const ReportFont& f) {
    return QStringLiteral("%1|%2|%3%4%5")
        .arg(f.family)
        .arg(f.pointSize, 0, 'f', 4)
        .arg(int(f.bold))
        .arg(int(f.italic))
        .arg(int(f.underline));
}

QString trimRight(QString s) {
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1).isSpace())
        --n;
    s.truncate(n);
    return s;
}

} // namespace

TextMeasurer::TextMeasurer()
    : m_device(1, 1, QImage::Format_ARGB32) {
    const int dpm = qRound(kReferenceDpi / 0.0254);
    m_device.setDotsPerMeterX(dpm);
    m_device.setDotsPerMeterY(dpm);
}

double TextMeasurer::toMm(double px) const {
    return px * 25.4 / kReferenceDpi;
}

// A page lays out text after text in one font: its key is made once for the run of them.
const QString& TextMeasurer::keyOf(const ReportFont& font) {
    if (m_lastKey.isEmpty() || !(font == m_lastFont)) {
        m_lastFont = font;
        m_lastKey = fontKey(font);
    }
    return m_lastKey;
}

const QFont& TextMeasurer::qfont(const ReportFont& font) {
    const QString key = keyOf(font);
    auto it = m_fonts.find(key);
    if (it == m_fonts.end()) it = m_fonts.insert(key, QFont(font.toQFont(), &m_device));
    return *it;
}

double TextMeasurer::lineHeight(const ReportFont& font) {
    const QString key = keyOf(font);
    auto it = m_lineHeights.find(key);
    if (it == m_lineHeights.end())
        it = m_lineHeights.insert(key, toMm(QFontMetricsF(qfont(font), &m_device).lineSpacing()));
    return *it;
}

double TextMeasurer::textWidth(const QString& line, const ReportFont& font) {
    const QString key = keyOf(font) + QLatin1Char('|') + line;
    auto it = m_widths.find(key);
    if (it == m_widths.end())
        it = m_widths.insert(key, toMm(QFontMetricsF(qfont(font), &m_device).horizontalAdvance(line)));
    return *it;
}

QStringList TextMeasurer::breakLines(const QString& text, const ReportFont& font, double width, bool wrap) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const QStringList paragraphs = text.split(lineBreak);
    if (!wrap) return paragraphs;

    const QFont& f = qfont(font);
    const double widthPx = width * kReferenceDpi / 25.4;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QStringList lines;
    for (const QString& paragraph : paragraphs) {
        if (paragraph.isEmpty() || textWidth(paragraph, font) <= width) {
            lines << paragraph;
            continue;
        }
        QTextLayout layout(paragraph, f, &m_device);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(widthPx);
            lines << trimRight(paragraph.mid(line.textStart(), line.textLength()));
        }
        layout.endLayout();
    }
    return lines;
}

QString TextMeasurer::elided(const QString& line, const ReportFont& font, double width, bool cut) {
    if (!cut && textWidth(line, font) <= width + 0.01) return line;
    const QString ellipsis(QChar(0x2026));
    // The longest beginning that leaves room for the ellipsis.
    qsizetype low = 0;
    qsizetype high = line.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (textWidth(trimRight(line.left(mid)) + ellipsis, font) <= width + 0.01)
            low = mid;
        else
            high = mid - 1;
    }
    return trimRight(line.left(low)) + ellipsis;
}
