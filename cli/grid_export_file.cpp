#include "grid_export_file.h"

#include "calc_module.h"
#include "grid_text_file.h"
#include "grid_workbook.h"
#include "screen_scale.h"
#include "usage_error.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace cli {

namespace {

QSize screenOf(const std::optional<QString>& text) {
    if (!text) return DefaultScreenSize();
    static const QRegularExpression size(QStringLiteral("^([1-9][0-9]{0,5})x([1-9][0-9]{0,5})$"));
    const QRegularExpressionMatch m = size.match(*text);
    if (!m.hasMatch())
        throw UsageError(
            QStringLiteral("--screen takes WIDTHxHEIGHT in pixels, like 1920x1080, not %1").arg(*text));
    return {m.captured(1).toInt(), m.captured(2).toInt()};
}

} // namespace

GridExport PrepareExport(const CliOptions& o) {
    const int destinations = (o.xlsx ? 1 : 0) + (o.text ? 1 : 0) + (o.calc ? 1 : 0);
    if (destinations != 1)
        throw UsageError(QStringLiteral("export needs one of --xlsx, --text or --calc FILE"));
    const double scale = ScreenScale(screenOf(o.screen));
    if (o.xlsx)
        return [path = *o.xlsx, scale](const TReportGrid& g) {
            QString error;
            return WriteGridWorkbook(g, scale, path, QFileInfo(path).completeBaseName(), error) ? QString()
                                                                                                : error;
        };
    if (o.text)
        return [path = *o.text](const TReportGrid& g) {
            QString error;
            return WriteGridText(g, path, error) ? QString() : error;
        };
    return [path = *o.calc, scale](const TReportGrid& g) {
        QString message;
        return CalcModule().Export(g, scale, path, message) == CalcModule::Result::Ok ? QString() : message;
    };
}

} // namespace cli
