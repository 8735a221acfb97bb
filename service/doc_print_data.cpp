#include "doc_print_data.h"

#include "number_text.h"
#include "rec_klient.h"

#include <QDate>
#include <QHash>

#include <functional>

namespace {

struct Variable {
    TPrintExtras needs; // the least a kind's forms must show to have the variable
    std::function<QVariant(const TDocPrintData&)> value;
};

QVariant text(const TRecBank* bank, QString TRecBank::*field) {
    return bank ? bank->*field : QString();
}

// Sales and orders have every variable; transfers the document's and the organization's name;
// receipts the document's only.
bool has(TPrintExtras kind, TPrintExtras needs) {
    return static_cast<int>(kind) >= static_cast<int>(needs);
}

using BankField = std::pair<const char*, QString TRecBank::*>;

const QList<BankField>& organizationFields() {
    static const QList<BankField> fields{
        {"org_adres", &TRecBank::Adres}, {"org_inn", &TRecBank::Inn},   {"org_kpp", &TRecBank::Kpp},
        {"org_dir", &TRecBank::Dir},     {"org_gb", &TRecBank::GBuh},   {"org_bank", &TRecBank::BName},
        {"org_bik", &TRecBank::Bik},     {"org_rs", &TRecBank::Rs},     {"org_krs", &TRecBank::Ks},
        {"org_okpo", &TRecBank::Okpo},   {"org_okpd", &TRecBank::Okpd}, {"org_ogrn", &TRecBank::Ogrn}};
    return fields;
}

const QList<BankField>& klientFields() {
    static const QList<BankField> fields{
        {"kl_name", &TRecBank::Name}, {"kl_adres", &TRecBank::Adres}, {"kl_inn", &TRecBank::Inn},
        {"kl_kpp", &TRecBank::Kpp},   {"kl_bank", &TRecBank::BName},  {"kl_bik", &TRecBank::Bik},
        {"kl_rs", &TRecBank::Rs},     {"kl_krs", &TRecBank::Ks},      {"kl_okpo", &TRecBank::Okpo},
        {"kl_okpd", &TRecBank::Okpd}, {"kl_ogrn", &TRecBank::Ogrn}};
    return fields;
}

// The variables of the header, by name.
const QHash<QString, Variable>& headerVariables() {
    using D = const TDocPrintData&;
    static const QHash<QString, Variable> variables = [] {
        QHash<QString, Variable> v{
            {"n", {TPrintExtras::None, [](D d) { return QVariant(d.Rec().ID); }}},
            {"dat", {TPrintExtras::None, [](D d) { return QVariant(kovrel::DateOf(d.Rec().DocDate)); }}},
            {"name_klient",
             {TPrintExtras::None, [](D d) { return QVariant(PartyName(d.Rec(), d.Kind().handsOver)); }}},
            {"name_store",
             {TPrintExtras::None, [](D d) { return QVariant(PartyName(d.Rec(), d.Kind().receives)); }}},
            {"prim", {TPrintExtras::None, [](D d) { return QVariant(d.Rec().Prim); }}},
            {"it_kol", {TPrintExtras::None, [](D d) { return QVariant(d.GetItKol()); }}},
            {"it_sum", {TPrintExtras::None, [](D d) { return QVariant(d.GetItSum()); }}},
            {"it_kol_pack", {TPrintExtras::None, [](D d) { return QVariant(d.GetItKolPack()); }}},
            {"org_name",
             {TPrintExtras::Organization, [](D d) { return text(d.Organization(), &TRecBank::Name); }}},
            {"max_num_str", {TPrintExtras::Trade, [](D d) { return QVariant(d.LineCount()); }}},
            {"it_sum_not_nds", {TPrintExtras::Trade, [](D d) { return QVariant(d.GetItSumNotNds()); }}},
            {"it_sum_nds", {TPrintExtras::Trade, [](D d) { return QVariant(d.GetItSumNds()); }}},
        };
        for (const auto& [name, field] : organizationFields())
            v.insert(QString::fromLatin1(name),
                     {TPrintExtras::Trade, [f = field](D d) { return text(d.Organization(), f); }});
        for (const auto& [name, field] : klientFields())
            v.insert(QString::fromLatin1(name),
                     {TPrintExtras::Trade, [f = field](D d) { return text(d.Klient(), f); }});
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

} // namespace

TDocPrintData::TDocPrintData(const TGoodsDocKind& kind, const TRecDoc& rec,
                             std::vector<const TRecDocItem*> lines, const TRecBank* org, const TRecBank* kl)
    : m_kind(kind)
    , m_rec(rec)
    , m_lines(std::move(lines))
    , m_org(org)
    , m_kl(kl) {}

QVariant TDocPrintData::DSetZagGetValue(const QString& name) const {
    const auto it = headerVariables().constFind(name);
    if (it == headerVariables().cend() || !has(m_kind.printExtras, it->needs)) return {};
    return it->value(*this);
}

QVariant TDocPrintData::DSetItemsGetValue(const QString& name, int index) const {
    const auto it = lineVariables().constFind(name);
    if (it == lineVariables().cend() || !has(m_kind.printExtras, it->first)) return {};
    if (index < 0 || index >= LineCount()) return {};
    const TRecDocItem& line = *m_lines[static_cast<size_t>(index)];
    return it->second(line, line.*m_kind.price);
}

template <class Value>
double TDocPrintData::sum(Value value) const {
    double total = 0;
    for (const TRecDocItem* line : m_lines)
        total += value(*line);
    return total;
}

double TDocPrintData::GetItKol() const {
    return sum([](const TRecDocItem& l) { return l.Kol; });
}

double TDocPrintData::GetItKolPack() const {
    return sum([](const TRecDocItem& l) { return l.GetKolPack(); });
}

double TDocPrintData::GetItSum() const {
    return sum([this](const TRecDocItem& l) { return l.Kol * (l.*m_kind.price); });
}

double TDocPrintData::GetItSumNotNds() const {
    return sum([](const TRecDocItem& l) { return l.GetSumNotNds(); });
}

double TDocPrintData::GetItSumNds() const {
    return sum([](const TRecDocItem& l) { return l.GetSumNds(); });
}

void TDocPrintData::ReadRequisites(TFormLoad& fl, const TGoodsDocKind& kind, const TRecDoc& rec,
                                   std::unique_ptr<TRecBank>& org, std::unique_ptr<TRecBank>& kl) {
    if (kind.printExtras == TPrintExtras::Trade) kl = fl.SelectBank(rec.KlientID);
    // A service that did not answer would only make the person wait again.
    if (fl.Failure() && fl.Failure()->kind == kovrel::RequestFailure::Kind::NoConnection) return;
    if (kind.printExtras != TPrintExtras::None) org = fl.SelectBank(kOrganizationID);
}
