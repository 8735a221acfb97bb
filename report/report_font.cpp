#include "report_font.h"

#include <QFontDatabase>
#include <QHash>

ReportFont ReportFont::FromPixels(double px, bool bold) {
    ReportFont f;
    f.pointSize = px * 72.0 / 96.0;
    f.bold = bold;
    return f;
}

QFont ReportFont::toQFont(double pointSizeScale) const {
    QFont f(family);
    f.setPointSizeF(pointSize * pointSizeScale);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::ForceOutline | QFont::NoFontMerging));
    f.setKerning(true);
    return f;
}

QString ResolveFontFamily(const QString& requested, QString* error) {
    static const QHash<QString, QString> substitutes = {
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
    };
    const QString family = substitutes.value(requested, requested);
    if (QFontDatabase::families().contains(family)) return family;
    if (error) {
        *error = family == requested
                     ? QStringLiteral("font \"%1\" is not installed").arg(family)
                     : QStringLiteral("font \"%1\" (used for %2) is not installed; install the package "
                                      "fonts-liberation2")
                           .arg(family, requested);
    }
    return {};
}
