#include "doc_forms.h"

#include "doc_form_payment.h"
#include "doc_form_simple.h"
#include "doc_form_torg12.h"
#include "doc_form_torg13.h"
#include "doc_form_vat_invoice.h"

#include <algorithm>

ReportTemplate DocForms::makeTemplate(const QString& form, const TGoodsDocKind& kind) {
    if (form == QLatin1String("FRDoc1") || form == QLatin1String("FRDoc2"))
        return DocFormSimple::make(form, form.endsWith(QLatin1Char('2')), kind.printTitle);
    if (form == QLatin1String("FRDocS")) return DocFormPayment::make();
    if (form == QLatin1String("FRDocSF")) return DocFormVatInvoice::make();
    if (form == QLatin1String("FRDocT12")) return DocFormTorg12::make();
    if (form == QLatin1String("FRDocT13")) return DocFormTorg13::make();
    return {};
}

QList<ReportDataSource> DocForms::sources(const TDocPrintData& data) {
    return {{QStringLiteral("DSetZag"), 1,
             [data](const QString& field, int) { return data.DSetZagGetValue(field); }},
            {QStringLiteral("DSetItems"), data.LineCount(),
             [data](const QString& field, int record) { return data.DSetItemsGetValue(field, record); }}};
}

PrepareResult DocForms::prepare(const QString& form, const TDocPrintData& data,
                                const std::optional<ReportPageSetup>& page) {
    const auto& forms = data.Kind().printForms;
    const bool printed = std::any_of(forms.begin(), forms.end(),
                                     [&form](const TPrintForm& f) { return form == QLatin1String(f.form); });
    ReportTemplate tmpl = printed ? makeTemplate(form, data.Kind()) : ReportTemplate{};
    if (tmpl.name.isEmpty()) {
        PrepareResult failed;
        failed.error = QStringLiteral("%1 prints no form %2").arg(QLatin1String(data.Kind().name), form);
        return failed;
    }
    if (page) tmpl.page = *page;
    return ReportEngine(std::move(tmpl), sources(data)).prepare();
}
