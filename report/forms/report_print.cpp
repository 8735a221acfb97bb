#include "report_print.h"

#include "form_registry.h"
#include "grid_data_sources.h"
#include "report_forms.h"
#include "report_titles.h"

#include <array>

namespace {

struct KindDef {
    ReportPrint::Kind kind;
    const char* operation;
    const char* title;        // field of DataSetZag
    const char* gridTemplate; // the grid-table template, or null for a column list
};

const std::array<KindDef, 8> kKinds = {{
    {ReportPrint::Ost, "RunRepOst", "ost", "FROst"},
    {ReportPrint::MoveGood, "RunRepMoveGood", "move_good", nullptr},
    {ReportPrint::SaleSt, "RunRepSaleSt", "sale_st", "FRSaleSt"},
    {ReportPrint::SaleDynam, "RunRepSaleDynam", "sale_dynam", "FRSaleDynam"},
    {ReportPrint::PrhSt, "RunRepPrhSt", "prh_st", "FRPrhSt"},
    {ReportPrint::PrhDynam, "RunRepPrhDynam", "prh_dynam", "FRPrhDynam"},
    {ReportPrint::Dolg, "RunRepDolg", "dolg", nullptr},
    {ReportPrint::MoveKlient, "RunRepMoveKl", "move_klient", nullptr},
}};

const KindDef& def(ReportPrint::Kind kind) {
    return kKinds.at(kind);
}

} // namespace

std::optional<ReportPrint::Kind> ReportPrint::kindOfOperation(const QString& operation) {
    for (const KindDef& d : kKinds)
        if (operation == QLatin1String(d.operation)) return d.kind;
    return std::nullopt;
}

QString ReportPrint::operation(Kind kind) {
    return QLatin1String(def(kind).operation);
}

QStringList ReportPrint::controls(Kind kind) {
    QStringList names = ReportTitles::controls(QLatin1String(def(kind).title));
    if (kind == Ost) names << QStringLiteral("ComBoxPrintOst");
    if (kind == MoveKlient) names << QStringLiteral("SelKlientGr");
    if (kind == Dolg) names << QStringLiteral("ComBoxGrRepDolg");
    return names;
}

QString ReportPrint::templateName(Kind kind, const ReportControls& controls) {
    switch (kind) {
    case MoveGood:
        return QStringLiteral("FRMoveGood");
    case MoveKlient:
        return controls.index(QStringLiteral("SelKlientGr"), -1) == 1 ? QStringLiteral("FRMoveKlient")
                                                                      : QStringLiteral("FRMoveKlient2");
    case Dolg:
        return controls.index(QStringLiteral("ComBoxGrRepDolg"), 0) == 0 ? QStringLiteral("FRDolg")
                                                                         : QStringLiteral("FRDolg2");
    default:
        return QLatin1String(def(kind).gridTemplate);
    }
}

ReportTemplate ReportPrint::makeTemplate(Kind kind, const TReportGrid& grid, const ReportControls& controls) {
    const FormEntry* form = FormRegistry::find(templateName(kind, controls));
    FormInput input;
    input.grid = std::make_shared<const TReportGrid>(grid);
    // Set on every print, so a landscape print leaves the next one portrait again.
    input.landscape = kind == Ost && controls.index(QStringLiteral("ComBoxPrintOst"), 0) == 1;
    return form->make(form->editions.first(), input);
}

PrepareResult ReportPrint::prepare(Kind kind, const TReportGrid& grid, const ReportControls& controls,
                                   const std::optional<ReportPageSetup>& page) {
    ReportTemplate tmpl = makeTemplate(kind, grid, controls);
    if (page) tmpl.page = *page;
    const FormEntry* form = FormRegistry::find(tmpl.name);
    QList<ReportDataSource> sources{
        GridDataSources::zag(controls, form->fields(QStringLiteral("DataSetZag")))};
    if (!tmpl.masterSource.isEmpty())
        sources << GridDataSources::rows(tmpl.masterSource, std::make_shared<const TReportGrid>(grid),
                                         ReportForms::columnListFields(tmpl.name));
    return ReportEngine(std::move(tmpl), std::move(sources)).prepare();
}
