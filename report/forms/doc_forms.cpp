#include "doc_forms.h"

#include "date_time.h"

namespace {

// The entry of `form` when the document's kind prints it.
const FormEntry* printedBy(const QString& form, const TDocPrintData& data) {
    const FormEntry* entry = FormRegistry::find(form);
    return entry && entry->use(QLatin1String(data.Kind().name)) ? entry : nullptr;
}

} // namespace

QString DocForms::printedForm(const TGoodsDocKind& kind, int position) {
    const FormEntry* entry = FormRegistry::printed(QLatin1String(kind.name), position);
    return entry ? entry->name : QString();
}

ReportTemplate DocForms::makeTemplate(const QString& form, const TDocPrintData& data) {
    const FormEntry* entry = printedBy(form, data);
    if (!entry) return {};
    const FormUse& use = *entry->use(QLatin1String(data.Kind().name));
    const QDate date = kovrel::DateOf(data.Rec().DocDate);
    FormInput input;
    input.documentTitle = use.title.isEmpty() ? entry->title : use.title;
    const QString shownAs = QStringLiteral("%1 № %2 от %3")
                                .arg(input.documentTitle)
                                .arg(data.Rec().ID)
                                .arg(date.toString(QStringLiteral("dd.MM.yyyy")));
    return entry->make(entry->editionOn(date), input, shownAs);
}

QList<ReportDataSource> DocForms::sources(const QString& form, const TDocPrintData& printed) {
    const FormEntry* entry = FormRegistry::find(form);
    const TDocPrintData data = entry && !entry->kitComponents ? printed.WithoutKitComponents() : printed;
    const auto fields = [entry](const char* source) {
        return entry ? entry->fields(QLatin1String(source)) : QStringList();
    };
    return {{QStringLiteral("DSetZag"),
             1,
             [data](const QString& field, int) { return data.DSetZagGetValue(field); },
             fields("DSetZag"),
             {}},
            {QStringLiteral("DSetItems"), data.LineCount(),
             [data](const QString& field, int record) { return data.DSetItemsGetValue(field, record); },
             fields("DSetItems"),
             [data](const QString& field, int first, int last) {
                 return data.DSetItemsTotal(field, first, last);
             }}};
}

PrepareResult DocForms::prepare(const QString& form, const TDocPrintData& data,
                                const std::optional<ReportPageSetup>& page) {
    ReportTemplate tmpl = makeTemplate(form, data);
    if (tmpl.name.isEmpty()) {
        PrepareResult failed;
        failed.error = QStringLiteral("%1 prints no form %2").arg(QLatin1String(data.Kind().name), form);
        return failed;
    }
    if (page) tmpl.page = *page;
    return ReportEngine(std::move(tmpl), sources(form, data)).prepare();
}
