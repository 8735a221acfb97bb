#include "print_table.h"

#include "report_print.h"
#include "report_writer.h"
#include "usage_error.h"

#include <QDir>

namespace cli {

namespace {

// A control left out of ARGS_JSON takes the call parameter that says the same, when given.
struct Fallback {
    const char* prefix; // of the control's name
    const char* param;
};
constexpr Fallback kFallbacks[] = {
    {"DTPBegin", "BeginDat"},     {"DTPEnd", "EndDat"},
    {"DTPRepDolg", "EndDat"},     {"EdOstName", "SelName"},
    {"EdName", "SelName"},        {"CBoxZero", "FlagZero"},
    {"ComBoxStore", "CodeStore"}, {"ComBoxManager", "CodeManager"},
    {"ComBoxDetal", "CodeDetal"},
};

const char* fallbackOf(const QString& control) {
    for (const Fallback& f : kFallbacks)
        if (control.startsWith(QLatin1String(f.prefix))) return f.param;
    return nullptr;
}

QVariant readText(const QString& name, const QString& param, CallArgs& a) {
    if (a.Has(name) || param.isEmpty()) return a.Text(name, QString());
    if (param == QLatin1String("SelName")) return a.Text(param, QString());
    const int code = a.Int(param, param == QLatin1String("CodeDetal") ? 0 : -1);
    if (param == QLatin1String("CodeDetal")) {
        const QStringList periods{QStringLiteral("день"), QStringLiteral("месяц"), QStringLiteral("неделя")};
        return periods.value(code);
    }
    // A store or manager that is not chosen is "(все)" on the page; a chosen one has a name
    // the call does not know.
    return code <= 0 ? QStringLiteral("(все)") : QString();
}

QVariant readControl(const QString& name, CallArgs& a) {
    const QString param = QLatin1String(fallbackOf(name));
    if (name.startsWith(QLatin1String("CBox")))
        return a.Bool(name, param.isEmpty() || !a.Has(param) ? false : a.Bool(param));
    if (name.startsWith(QLatin1String("DTP"))) return a.Date(name, a.Has(param) ? a.Date(param) : 0.0);
    if (name == QLatin1String("ComBoxPrintOst")) {
        const int i = a.Int(name, 0);
        if (i != 0 && i != 1)
            throw UsageError(QStringLiteral("ComBoxPrintOst must be 0 (портрет) or 1 (альбом)"));
        return i;
    }
    if (name == QLatin1String("SelKlientGr")) return a.Int(name, -1);
    if (name == QLatin1String("ComBoxGrRepDolg")) return a.Int(name, a.Int(QStringLiteral("Group"), 0));
    return readText(name, param, a);
}

} // namespace

ReportControls ReadPrintControls(const QString& operation, CallArgs& a) {
    const auto kind = ReportPrint::kindOfOperation(operation);
    if (!kind) throw UsageError(QStringLiteral("%1 is not a report operation").arg(operation));
    ReportControls controls;
    for (const QString& name : ReportPrint::controls(*kind))
        controls.set(name, readControl(name, a));
    return controls;
}

QStringList PrintControls(const QString& operation) {
    const auto kind = ReportPrint::kindOfOperation(operation);
    return kind ? ReportPrint::controls(*kind) : QStringList();
}

void CheckPrintOptions(const CliOptions& o, const char* command) {
    if (!command) {
        if (o.pdf || o.png)
            throw UsageError(QStringLiteral("--pdf and --png go with print and print-doc only"));
        return;
    }
    if (bool(o.pdf) == bool(o.png))
        throw UsageError(
            QStringLiteral("%1 needs either --pdf FILE or --png DIR").arg(QLatin1String(command)));
    if (o.format)
        throw UsageError(QStringLiteral("%1 writes a PDF or PNG pictures; leave out --format")
                             .arg(QLatin1String(command)));
}

PrintOutput PrintGrid(const QString& operation, const TReportGrid& grid, const ReportControls& controls,
                      const CliOptions& o) {
    const ReportPrint::Kind kind = *ReportPrint::kindOfOperation(operation);
    return WritePrinted(ReportPrint::templateName(kind, controls), ReportPrint::prepare(kind, grid, controls),
                        o);
}

PrintOutput WritePrinted(const QString& templateName, const PrepareResult& prepared, const CliOptions& o) {
    PrintOutput out;
    out.templateName = templateName;
    if (!prepared) {
        out.failure = QStringLiteral("cannot prepare %1").arg(prepared.error);
        return out;
    }
    const PreparedReport& report = *prepared.report;
    out.title = report.caption();
    out.pages = static_cast<int>(report.pages.size());
    if (o.pdf) {
        out.failure = ReportWriter::writePdf(report, *o.pdf);
        out.files << *o.pdf;
    } else {
        out.failure = ReportWriter::writePngs(report, *o.png, 150);
        for (int i = 0; i < out.pages; ++i)
            out.files << QDir(*o.png).filePath(ReportWriter::pngName(report, i));
    }
    if (!out.failure.isEmpty()) out.files.clear();
    return out;
}

} // namespace cli
