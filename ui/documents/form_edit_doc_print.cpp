// Printing of the goods-document editor: the requisites read for the forms, the choice of form,
// and the two data sources the forms read, DSetZag (the header, one record) and DSetItems (one
// record per line, in the grid's order).
#include "date_time.h"
#include "doc_print_forms.h"
#include "form_edit_doc.h"
#include "number_text.h"
#include "rec_klient.h"
#include "server_wait.h"

#include <QComboBox>
#include <QDate>
#include <QHash>

#include <functional>

namespace {

struct Variable {
    TPrintExtras needs; // the kinds whose forms have the variable
    std::function<QVariant(const TFormEditDoc&)> value;
};

QVariant text(const std::unique_ptr<TRecBank>& bank, QString TRecBank::*field) {
    return bank ? bank.get()->*field : QString();
}

// The variables of the header, by name.
const QHash<QString, Variable>& headerVariables() {
    static const QHash<QString, Variable> variables = [] {
        using E = const TFormEditDoc&;
        QHash<QString, Variable> v{
            {"n", {TPrintExtras::None, [](E e) { return QVariant(e.LocalRec.ID); }}},
            {"dat", {TPrintExtras::None, [](E e) { return QVariant(kovrel::DateOf(e.LocalRec.DocDate)); }}},
            {"name_klient", {TPrintExtras::None, [](E e) { return QVariant(e.PrintPartyName(true)); }}},
            {"name_store", {TPrintExtras::None, [](E e) { return QVariant(e.PrintPartyName(false)); }}},
            {"prim", {TPrintExtras::None, [](E e) { return QVariant(e.LocalRec.Prim); }}},
            {"it_kol", {TPrintExtras::None, [](E e) { return QVariant(e.GetItKol()); }}},
            {"it_sum", {TPrintExtras::None, [](E e) { return QVariant(e.GetItSum()); }}},
            {"it_kol_pack", {TPrintExtras::None, [](E e) { return QVariant(e.GetItKolPack()); }}},
            {"org_name",
             {TPrintExtras::Organization, [](E e) { return text(e.BankRecOrg, &TRecBank::Name); }}},
            {"max_num_str", {TPrintExtras::Trade, [](E e) { return QVariant(e.ListItemsSort.Count()); }}},
            {"it_sum_not_nds", {TPrintExtras::Trade, [](E e) { return QVariant(e.GetItSumNotNds()); }}},
            {"it_sum_nds", {TPrintExtras::Trade, [](E e) { return QVariant(e.GetItSumNds()); }}},
        };
        const QList<std::pair<const char*, QString TRecBank::*>> org{
            {"org_adres", &TRecBank::Adres}, {"org_inn", &TRecBank::Inn},   {"org_kpp", &TRecBank::Kpp},
            {"org_dir", &TRecBank::Dir},     {"org_gb", &TRecBank::GBuh},   {"org_bank", &TRecBank::BName},
            {"org_bik", &TRecBank::Bik},     {"org_rs", &TRecBank::Rs},     {"org_krs", &TRecBank::Ks},
            {"org_okpo", &TRecBank::Okpo},   {"org_okpd", &TRecBank::Okpd}, {"org_ogrn", &TRecBank::Ogrn}};
        const QList<std::pair<const char*, QString TRecBank::*>> klient{
            {"kl_name", &TRecBank::Name}, {"kl_adres", &TRecBank::Adres}, {"kl_inn", &TRecBank::Inn},
            {"kl_kpp", &TRecBank::Kpp},   {"kl_bank", &TRecBank::BName},  {"kl_bik", &TRecBank::Bik},
            {"kl_rs", &TRecBank::Rs},     {"kl_krs", &TRecBank::Ks},      {"kl_okpo", &TRecBank::Okpo},
            {"kl_okpd", &TRecBank::Okpd}, {"kl_ogrn", &TRecBank::Ogrn}};
        for (const auto& [name, field] : org)
            v.insert(QString::fromLatin1(name),
                     {TPrintExtras::Trade, [f = field](E e) { return text(e.BankRecOrg, f); }});
        for (const auto& [name, field] : klient)
            v.insert(QString::fromLatin1(name),
                     {TPrintExtras::Trade, [f = field](E e) { return text(e.BankRecKl, f); }});
        return v;
    }();
    return variables;
}

using LineValue = std::function<QVariant(const TRecDocItem&, double price)>;

// The variables of a line, by name.
const QHash<QString, std::pair<TPrintExtras, LineValue>>& lineVariables() {
    using L = const TRecDocItem&;
    static const QHash<QString, std::pair<TPrintExtras, LineValue>> variables{
        {"name", {TPrintExtras::None, [](L l, double) { return QVariant(l.Name); }}},
        {"pack", {TPrintExtras::None, [](L l, double) { return QVariant(l.Pack); }}},
        {"kol", {TPrintExtras::None, [](L l, double) { return QVariant(l.Kol); }}},
        {"kol_pack", {TPrintExtras::None, [](L l, double) { return QVariant(l.GetKolPack()); }}},
        {"cen", {TPrintExtras::None, [](L, double price) { return QVariant(price); }}},
        {"summ", {TPrintExtras::None, [](L l, double price) { return QVariant(l.Kol * price); }}},
        {"cen_not_nds", {TPrintExtras::Trade, [](L l, double) { return QVariant(l.GetCenNotNds()); }}},
        {"sum_not_nds", {TPrintExtras::Trade, [](L l, double) { return QVariant(l.GetSumNotNds()); }}},
        {"sum_nds", {TPrintExtras::Trade, [](L l, double) { return QVariant(l.GetSumNds()); }}},
        {"proc_nds",
         {TPrintExtras::Trade,
          [](L l, double) {
              return QVariant(kovrel::IsZero(l.ProcNds) ? QStringLiteral("без НДС")
                                                        : FormatFixed(0, l.ProcNds) + QLatin1Char('%'));
          }}},
    };
    return variables;
}

// Sales and orders have every variable; transfers the document's and the organization's name;
// receipts the document's only.
bool has(TPrintExtras kind, TPrintExtras needs) {
    return static_cast<int>(kind) >= static_cast<int>(needs);
}

} // namespace

void TFormEditDoc::ButPrintClick() {
    {
        TServerWait wait(*SBarInfo, 0);
        TFormLoad fl;
        if (m_family.printExtras == TPrintExtras::Trade) BankRecKl = fl.SelectBank(LocalRec.KlientID);
        if (m_family.printExtras != TPrintExtras::None) BankRecOrg = fl.SelectBank(kOrganizationID);
    }
    if (DocPrintForms()) DocPrintForms()(*this, PrintForm(), ListItemsSort.Count());
}

QString TFormEditDoc::PrintForm() const {
    const auto index = static_cast<size_t>(ComBoxPrint->currentIndex());
    const auto& forms = m_family.printForms;
    return QString::fromLatin1(index < forms.size() ? forms[index].form : forms.front().form);
}

// The party that hands the goods over, or the one that receives them: the header's first and
// second rows in every kind.
QString TFormEditDoc::PrintPartyName(bool handsOver) const {
    TRecDoc& rec = LocalRec;
    return PartyName(rec, handsOver ? m_family.first.party : m_family.second.party);
}

QVariant TFormEditDoc::DSetZagGetValue(const QString& name) const {
    const auto it = headerVariables().constFind(name);
    if (it == headerVariables().cend() || !has(m_family.printExtras, it->needs)) return {};
    return it->value(*this);
}

QVariant TFormEditDoc::DSetItemsGetValue(const QString& name, int index) const {
    const auto it = lineVariables().constFind(name);
    if (it == lineVariables().cend() || !has(m_family.printExtras, it->first)) return {};
    if (index < 0 || index >= ListItemsSort.Count()) return {};
    const TRecDocItem& line = *ListItemsSort.Objects(index);
    return it->second(line, line.*m_family.price);
}
