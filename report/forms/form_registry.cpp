#include "form_registry.h"

#include "doc_form_payment.h"
#include "doc_form_simple.h"
#include "doc_form_torg12.h"
#include "doc_form_torg13.h"
#include "doc_form_upd.h"
#include "doc_form_vat_invoice.h"
#include "report_forms.h"

namespace {

// ---- The goods documents' two sources ---------------------------------------------------------

// What every kind's header and lines answer.
const QStringList kDocHeader{"n",      "dat",         "name_klient", "name_store",  "prim",
                             "it_kol", "it_kol_pack", "it_sum",      "it_sum_words"};
const QStringList kDocLines{"name", "pack", "kol",       "kol_pack", "mest",
                            "cen",  "summ", "unit_code", "unit_name"};

// Sales and orders add both parties, the VAT and the counts in words.
const QStringList kTradeHeader =
    kDocHeader + QStringList{"org_name",       "org_adres",     "org_inn",        "org_kpp",
                             "org_dir",        "org_gb",        "org_bank",       "org_bik",
                             "org_rs",         "org_krs",       "org_okpo",       "org_okpd",
                             "org_ogrn",       "org_inn_kpp",   "org_requisites", "org_name_adres",
                             "kl_name",        "kl_adres",      "kl_inn",         "kl_kpp",
                             "kl_bank",        "kl_bik",        "kl_rs",          "kl_krs",
                             "kl_okpo",        "kl_okpd",       "kl_ogrn",        "kl_inn_kpp",
                             "kl_requisites",  "kl_name_adres", "max_num_str",    "max_num_str_words",
                             "it_sum_not_nds", "it_sum_nds",    "it_mest",        "it_mest_words",
                             "sf_it_sum_nds",  "sf_dir",        "sf_gb",          "sf_ip",
                             "sf_ip_ogrn",     "s_nds_caption", "s_it_sum_nds"};
const QStringList kTradeLines =
    kDocLines + QStringList{"cen_not_nds", "sum_not_nds", "sum_nds", "sf_sum_nds", "proc_nds"};

// The УПД adds its status, the people of its transfer part and the parties with their codes.
const QStringList kUpdHeader =
    kTradeHeader + QStringList{"upd_status",    "upd_pass_post",    "upd_pass_name",  "upd_resp_post",
                               "upd_resp_name", "org_name_inn_kpp", "kl_name_inn_kpp"};

QList<FormSource> documentSources(const QStringList& header, const QStringList& lines) {
    return {{QStringLiteral("DSetZag"), header}, {QStringLiteral("DSetItems"), lines}};
}

FormEdition only(std::function<ReportTemplate(const FormInput&)> build) {
    return {QDate(), QString(), std::move(build)};
}

FormUse listed(const char* kind, int position, const char* text, const char* title = "") {
    return {QLatin1String(kind), position, QString::fromUtf8(text), QString::fromUtf8(title)};
}

FormEntry simpleForm(const char* name, const char* title, bool packs, QList<FormUse> uses) {
    const QString form = QLatin1String(name);
    return {form,
            QString::fromUtf8(title),
            std::move(uses),
            documentSources(kDocHeader, kDocLines),
            {only([form, packs](const FormInput& in) {
                return DocFormSimple::make(form, packs, in.documentTitle);
            })}};
}

// A form in the VAT invoice's editions: the invoice itself and the УПД built on it.
QList<FormEdition> vatInvoiceEditions(ReportTemplate (*make)(const DocFormVatInvoice::Edition&)) {
    QList<FormEdition> editions;
    for (const DocFormVatInvoice::Edition& e : DocFormVatInvoice::editions())
        editions << FormEdition{e.from, e.name, [e, make](const FormInput&) { return make(e); }};
    return editions;
}

FormEntry upd() {
    FormEntry entry{QStringLiteral("FRDocUPD"),
                    QStringLiteral("УПД"),
                    {listed("nkl", 4, "УПД")},
                    documentSources(kUpdHeader, kTradeLines),
                    vatInvoiceEditions(&DocFormUpd::make)};
    entry.kitComponents = false;
    return entry;
}

QList<FormEntry> documentForms() {
    return {
        simpleForm("FRDoc1", "Накладная", false,
                   {listed("nkl", 0, "накладная без упаковок"), listed("prh", 0, "накладная без упаковок"),
                    listed("invoice", 0, "заказ без упаковок", "Заказ"),
                    listed("vnk", 0, "накладная без упаковок")}),
        simpleForm("FRDoc2", "Накладная", true,
                   {listed("nkl", 1, "накладная с упаковками"), listed("prh", 1, "накладная с упаковками"),
                    listed("invoice", 1, "заказ с упаковками", "Заказ"),
                    listed("vnk", 1, "накладная с упаковками")}),
        {QStringLiteral("FRDocSF"),
         QStringLiteral("Счет-фактура"),
         {listed("nkl", 2, "счет-фактура")},
         documentSources(kTradeHeader, kTradeLines),
         vatInvoiceEditions(&DocFormVatInvoice::make)},
        {QStringLiteral("FRDocT12"),
         QStringLiteral("Товарная накладная"),
         {listed("nkl", 3, "накладная ТОРГ-12")},
         documentSources(kTradeHeader, kTradeLines),
         {only([](const FormInput&) { return DocFormTorg12::make(); })}},
        {QStringLiteral("FRDocS"),
         QStringLiteral("Счет на оплату"),
         {listed("invoice", 2, "счет на оплату")},
         documentSources(kTradeHeader, kTradeLines),
         {only([](const FormInput&) { return DocFormPayment::make(); })}},
        {QStringLiteral("FRDocT13"),
         QStringLiteral("Накладная на внутреннее перемещение"),
         {listed("vnk", 2, "накладная ТОРГ-13")},
         documentSources(kDocHeader + QStringList{"org_name"}, kDocLines),
         {only([](const FormInput&) { return DocFormTorg13::make(); })}},
        upd(),
    };
}

// ---- The report pages' printed reports --------------------------------------------------------

FormEntry gridReport(const char* name, const char* title, const char* operation, const char* field,
                     const GridRowKeys& keys) {
    const QString form = QLatin1String(name);
    const QString titleField = QLatin1String(field);
    return {form,
            QString::fromUtf8(title),
            {{QLatin1String(operation), -1, {}, {}}},
            {{QStringLiteral("DataSetZag"), {titleField}}},
            {only([form, titleField, keys](const FormInput& in) {
                return ReportForms::gridTable(form, titleField, keys, in.grid, in.landscape);
            })}};
}

FormEntry listReport(const char* name, const char* title, const char* operation) {
    const QString form = QLatin1String(name);
    QStringList fields;
    for (const auto& [field, column] : ReportForms::columnListFields(form))
        fields << field;
    return {form,
            QString::fromUtf8(title),
            {{QLatin1String(operation), -1, {}, {}}},
            {{QStringLiteral("DataSetZag"), {ReportForms::columnListTitle(form)}},
             {ReportForms::columnListSource(form), fields}},
            {only([form](const FormInput&) { return ReportForms::columnList(form); })}};
}

// A grid report names its row-number columns and its name column (GridRowKeys): a table wider
// than the page repeats them on every page. Column 0 numbers the rows; column 1 holds the goods
// item's name in the stock balance and the structures, the period in the dynamics.
QList<FormEntry> reportForms() {
    return {
        gridReport("FROst", "Остатки товаров", "RunRepOst", "ost", {{0}, 1}),
        listReport("FRMoveGood", "Карточка перемещений товара", "RunRepMoveGood"),
        gridReport("FRSaleSt", "Структура продаж", "RunRepSaleSt", "sale_st", {{0}, 1}),
        gridReport("FRSaleDynam", "Динамика продаж", "RunRepSaleDynam", "sale_dynam", {{0}, 1}),
        gridReport("FRPrhSt", "Структура покупок", "RunRepPrhSt", "prh_st", {{0}, 1}),
        gridReport("FRPrhDynam", "Динамика покупок", "RunRepPrhDynam", "prh_dynam", {{0}, 1}),
        listReport("FRDolg", "Долги и остатки денег", "RunRepDolg"),
        listReport("FRDolg2", "Долги и остатки денег", "RunRepDolg"),
        listReport("FRMoveKlient", "Карточка взаиморасчетов", "RunRepMoveKl"),
        listReport("FRMoveKlient2", "Карточка взаиморасчетов", "RunRepMoveKl"),
    };
}

} // namespace

const FormEdition& FormEntry::editionOn(const QDate& date) const {
    const FormEdition* inForce = &editions.first();
    for (const FormEdition& e : editions)
        if (date.isValid() && (!e.from.isValid() || e.from <= date)) inForce = &e;
    return *inForce;
}

const FormUse* FormEntry::use(const QString& kind) const {
    for (const FormUse& u : uses)
        if (u.kind == kind) return &u;
    return nullptr;
}

QStringList FormEntry::fields(const QString& source) const {
    for (const FormSource& s : sources)
        if (s.name == source) return s.fields;
    return {};
}

ReportTemplate FormEntry::make(const FormEdition& edition, const FormInput& input,
                               const QString& shownAs) const {
    ReportTemplate t = edition.build(input);
    t.name = name;
    t.displayName = shownAs.isEmpty() ? title : shownAs;
    return t;
}

const QList<FormEntry>& FormRegistry::forms() {
    static const QList<FormEntry> all = reportForms() + documentForms();
    return all;
}

const FormEntry* FormRegistry::find(const QString& name) {
    for (const FormEntry& f : forms())
        if (f.name == name) return &f;
    return nullptr;
}

const FormEntry* FormRegistry::printed(const QString& kind, int position) {
    const FormEntry* first = nullptr;
    for (const FormEntry& f : forms())
        for (const FormUse& u : f.uses)
            if (u.kind == kind && u.position >= 0) {
                if (u.position == position) return &f;
                if (u.position == 0) first = &f;
            }
    return first;
}

QStringList FormRegistry::printList(const QString& kind) {
    QStringList list;
    for (const FormEntry& f : forms())
        for (const FormUse& u : f.uses)
            if (u.kind == kind && u.position >= 0) {
                if (list.size() <= u.position) list.resize(u.position + 1);
                list[u.position] = u.listText;
            }
    return list;
}
