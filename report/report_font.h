#pragma once

#include <QFont>
#include <QString>

// A font as a template asks for it. Sizes are kept in points; templates written in pixels of a
// 96 dpi screen convert with FromPixels.
struct ReportFont {
    QString family = QStringLiteral("Arial");
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    static ReportFont FromPixels(double px, bool bold = false);

    // The font to draw or measure with: family as given, hinting off so that glyph advances
    // scale linearly with the size on every device.
    QFont toQFont(double pointSizeScale = 1.0) const;

    bool operator==(const ReportFont&) const = default;
};

// Templates name Arial, which free systems do not ship; Liberation Sans has the same metrics.
// Returns the family to use for `requested`, or an empty text (and the reason in `error`) when
// that family is not installed: a layout must never silently change to whatever font is there.
QString ResolveFontFamily(const QString& requested, QString* error);

// Millimetres of a length given in pixels of a 96 dpi screen.
constexpr double PxToMm(double px) {
    return px * 25.4 / 96.0;
}
