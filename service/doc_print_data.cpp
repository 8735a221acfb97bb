#include "doc_print_data.h"

#include "rec_klient.h"
#include "units_of_measure.h"

#include <QDate>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>

using kovrel::LineFigures;
using kovrel::Money;
using kovrel::Quantity;

namespace {

const QString kDash = QStringLiteral("-");

// Sales and orders have every variable; transfers the document's and the organization's name;
// receipts the document's only.
bool has(TPrintExtras kind, TPrintExtras needs) {
    return static_cast<int>(kind) >= static_cast<int>(needs);
}

QString orDash(const QString& text) {
    const QString t = text.trimmed();
    return t.isEmpty() ? kDash : t;
}

// A requisite as paper prints it: a dash for one missing or never read.
QVariant requisite(const TRecBank* bank, QString TRecBank::*field) {
    return bank ? orDash(bank->*field) : kDash;
}

bool isSoleTrader(const TRecBank* bank) {
    if (!bank) return false;
    const QString inn = bank->Inn.trimmed();
    return inn.size() == 12 && std::all_of(inn.begin(), inn.end(), [](QChar c) { return c.isDigit(); });
}

// "7703123457/770301001"; a sole trader (or a party without КПП) has the ИНН alone.
QString innKpp(const TRecBank* bank) {
    if (!bank || bank->Inn.trimmed().isEmpty()) return kDash;
    const QString kpp = bank->Kpp.trimmed();
    if (isSoleTrader(bank) || kpp.isEmpty()) return bank->Inn.trimmed();
    return bank->Inn.trimmed() + QLatin1Char('/') + kpp;
}

// Name, codes, address, telephone and bank in one line; what is missing is left out, so no
// label stands empty. A party without requisites is its name alone.
QString requisites(const TRecBank* bank, const QString& name) {
    QStringList parts{name};
    if (!bank) return name;
    const auto add = [&parts](const char* label, const QString& value) {
        if (!value.trimmed().isEmpty()) parts << QString::fromUtf8(label) + value.trimmed();
    };
    add("ИНН ", bank->Inn);
    if (!isSoleTrader(bank)) add("КПП ", bank->Kpp);
    add("", bank->Adres);
    add("тел. ", bank->Tel);
    add("Банк ", bank->BName);
    add("БИК ", bank->Bik);
    add("к/с ", bank->Ks);
    add("р/с ", bank->Rs);
    return parts.join(QStringLiteral(", "));
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
    static const QList<BankField> fields{{"kl_adres", &TRecBank::Adres}, {"kl_inn", &TRecBank::Inn},
                                         {"kl_kpp", &TRecBank::Kpp},     {"kl_bank", &TRecBank::BName},
                                         {"kl_bik", &TRecBank::Bik},     {"kl_rs", &TRecBank::Rs},
                                         {"kl_krs", &TRecBank::Ks},      {"kl_okpo", &TRecBank::Okpo},
                                         {"kl_okpd", &TRecBank::Okpd},   {"kl_ogrn", &TRecBank::Ogrn}};
    return fields;
}

// "ООО «Ромашка», 125009, г. Москва, …": a party and its address, the name alone without one.
QString nameAndAddress(const QString& name, const TRecBank* bank) {
    if (!bank || bank->Adres.trimmed().isEmpty()) return name;
    return name + QStringLiteral(", ") + bank->Adres.trimmed();
}

QString sellerName(const TDocPrintData& d) {
    return requisite(d.Organization(), &TRecBank::Name).toString();
}

// The buyer's full name from the requisites, else the counterparty's name on the document.
QString buyerName(const TDocPrintData& d) {
    if (d.Klient() && !d.Klient()->Name.trimmed().isEmpty()) return d.Klient()->Name.trimmed();
    return orDash(d.Rec().KlientName);
}

// A party's name followed by its codes, as the УПД names who drew each part of it up:
// "ООО «Ромашка», ИНН/КПП 7701234567/770301001"; the name alone without an ИНН.
QString nameInnKpp(const QString& name, const TRecBank* bank) {
    const QString codes = innKpp(bank);
    if (codes == kDash) return name;
    return name + (isSoleTrader(bank) ? QStringLiteral(", ИНН ") : QStringLiteral(", ИНН/КПП ")) + codes;
}

// The seller's people on the УПД's transfer part: who hands the goods over (the head, or the
// sole trader) and who answers for the document (the chief accountant, else the head).
QString passPost(const TDocPrintData& d) {
    return d.SellerIsSoleTrader() ? QStringLiteral("Индивидуальный предприниматель")
                                  : QStringLiteral("Руководитель");
}

bool accountantAnswers(const TDocPrintData& d) {
    return !d.SellerIsSoleTrader() && d.Organization() && !d.Organization()->GBuh.trimmed().isEmpty();
}

// The VAT invoice's signatures: an organization signs by its head and chief accountant, a sole
// trader in the block of its own with the ОГРНИП as typed in the requisites' ОГРН.
QVariant signature(const TDocPrintData& d, bool soleTraderBlock, QString TRecBank::*field) {
    if (d.SellerIsSoleTrader() != soleTraderBlock) return soleTraderBlock ? QString() : kDash;
    return requisite(d.Organization(), field);
}

struct Variable {
    TPrintExtras needs; // the least a kind's forms must show to have the variable
    std::function<QVariant(const TDocPrintData&)> value;
};

// The variables of the header, by name.
const QHash<QString, Variable>& headerVariables() {
    using D = const TDocPrintData&;
    using E = TPrintExtras;
    static const QHash<QString, Variable> variables = [] {
        QHash<QString, Variable> v{
            {"n", {E::None, [](D d) { return QVariant(d.Rec().ID); }}},
            {"dat", {E::None, [](D d) { return QVariant(kovrel::DateOf(d.Rec().DocDate)); }}},
            {"name_klient", {E::None, [](D d) { return QVariant(PartyName(d.Rec(), d.Kind().handsOver)); }}},
            {"name_store", {E::None, [](D d) { return QVariant(PartyName(d.Rec(), d.Kind().receives)); }}},
            {"prim", {E::None, [](D d) { return QVariant(d.Rec().Prim); }}},
            {"it_kol", {E::None, [](D d) { return QVariant(d.GetItKol()); }}},
            {"it_sum", {E::None, [](D d) { return QVariant(d.GetItSum()); }}},
            {"it_kol_pack", {E::None, [](D d) { return QVariant(d.GetItKolPack()); }}},
            {"it_sum_words",
             {E::None, [](D d) { return QVariant(kovrel::SumInWords(Money::FromDouble(d.GetItSum()))); }}},
            {"org_name", {E::Organization, [](D d) { return QVariant(sellerName(d)); }}},
            {"max_num_str", {E::Trade, [](D d) { return QVariant(d.LineCount()); }}},
            {"max_num_str_words",
             {E::Trade, [](D d) { return QVariant(kovrel::NumberInWords(d.LineCount())); }}},
            {"it_sum_not_nds", {E::Trade, [](D d) { return QVariant(d.GetItSumNotNds()); }}},
            {"it_sum_nds", {E::Trade, [](D d) { return QVariant(d.GetItSumNds()); }}},
            // No line carries VAT: the invoice says so rather than print a zero.
            {"sf_it_sum_nds",
             {E::Trade,
              [](D d) {
                  return d.LineCount() > 0 && !d.AnyVat() ? QVariant(QStringLiteral("без НДС"))
                                                          : QVariant(d.GetItSumNds());
              }}},
            {"it_mest",
             {E::Trade,
              [](D d) {
                  const auto places = d.Places(0, d.LineCount() - 1);
                  return places ? QVariant(*places) : QVariant();
              }}},
            {"it_mest_words",
             {E::Trade,
              [](D d) {
                  const auto places = d.Places(0, d.LineCount() - 1);
                  const bool whole = places && std::fabs(*places - std::round(*places)) < 1e-9;
                  return whole ? QVariant(
                                     kovrel::NumberInWords(std::llround(*places), kovrel::WordGender::Neuter))
                               : QVariant(QString());
              }}},
            {"kl_name", {E::Trade, [](D d) { return QVariant(buyerName(d)); }}},
            {"org_name_adres",
             {E::Trade, [](D d) { return QVariant(nameAndAddress(sellerName(d), d.Organization())); }}},
            {"kl_name_adres",
             {E::Trade, [](D d) { return QVariant(nameAndAddress(buyerName(d), d.Klient())); }}},
            // The invoice for payment names the VAT in its total, or says there is none.
            {"s_nds_caption",
             {E::Trade,
              [](D d) {
                  return QVariant(d.LineCount() > 0 && !d.AnyVat() ? QStringLiteral("Без налога (НДС)")
                                                                   : QStringLiteral("В том числе НДС:"));
              }}},
            {"s_it_sum_nds",
             {E::Trade,
              [](D d) {
                  return d.LineCount() > 0 && !d.AnyVat() ? QVariant(kDash) : QVariant(d.GetItSumNds());
              }}},
            {"org_inn_kpp", {E::Trade, [](D d) { return QVariant(innKpp(d.Organization())); }}},
            {"kl_inn_kpp", {E::Trade, [](D d) { return QVariant(innKpp(d.Klient())); }}},
            {"org_requisites",
             {E::Trade, [](D d) { return QVariant(requisites(d.Organization(), sellerName(d))); }}},
            {"kl_requisites", {E::Trade, [](D d) { return QVariant(requisites(d.Klient(), buyerName(d))); }}},
            {"sf_dir", {E::Trade, [](D d) { return signature(d, false, &TRecBank::Dir); }}},
            {"sf_gb", {E::Trade, [](D d) { return signature(d, false, &TRecBank::GBuh); }}},
            {"sf_ip", {E::Trade, [](D d) { return signature(d, true, &TRecBank::Dir); }}},
            {"sf_ip_ogrn", {E::Trade, [](D d) { return signature(d, true, &TRecBank::Ogrn); }}},
            {"upd_status", {E::Trade, [](D d) { return QVariant(d.UpdStatus()); }}},
            {"upd_pass_post", {E::Trade, [](D d) { return QVariant(passPost(d)); }}},
            {"upd_pass_name", {E::Trade, [](D d) { return requisite(d.Organization(), &TRecBank::Dir); }}},
            {"upd_resp_post",
             {E::Trade,
              [](D d) {
                  return QVariant(accountantAnswers(d) ? QStringLiteral("Главный бухгалтер") : passPost(d));
              }}},
            {"upd_resp_name",
             {E::Trade,
              [](D d) {
                  return requisite(d.Organization(), accountantAnswers(d) ? &TRecBank::GBuh : &TRecBank::Dir);
              }}},
            {"org_name_inn_kpp",
             {E::Trade, [](D d) { return QVariant(nameInnKpp(sellerName(d), d.Organization())); }}},
            {"kl_name_inn_kpp",
             {E::Trade, [](D d) { return QVariant(nameInnKpp(buyerName(d), d.Klient())); }}},
        };
        for (const auto& [name, field] : organizationFields())
            v.insert(QString::fromLatin1(name),
                     {E::Trade, [f = field](D d) { return requisite(d.Organization(), f); }});
        for (const auto& [name, field] : klientFields())
            v.insert(QString::fromLatin1(name),
                     {E::Trade, [f = field](D d) { return requisite(d.Klient(), f); }});
        return v;
    }();
    return variables;
}

} // namespace

namespace {

// The line's places: its quantity in packs, when its pack size is known.
std::optional<double> placesOf(const TRecDocItem& line) {
    if (line.Pack <= 0) return std::nullopt;
    return line.Kol / line.Pack;
}

using LineValue = std::function<QVariant(const TDocPrintData&, const TRecDocItem&)>;

// The variables of a line, by name.
const QHash<QString, std::pair<TPrintExtras, LineValue>>& lineVariables() {
    using D = const TDocPrintData&;
    using L = const TRecDocItem&;
    using E = TPrintExtras;
    const auto price = [](D d, L l) { return Money::FromDouble(l.*d.Kind().price); };
    static const QHash<QString, std::pair<TPrintExtras, LineValue>> variables{
        {"name", {E::None, [](D, L l) { return QVariant(l.Name); }}},
        {"pack", {E::None, [](D, L l) { return QVariant(l.Pack); }}},
        {"kol", {E::None, [](D, L l) { return QVariant(Quantity::FromDouble(l.Kol).ToDouble()); }}},
        {"kol_pack", {E::None, [](D, L l) { return QVariant(l.GetKolPack()); }}},
        {"mest",
         {E::None,
          [](D, L l) {
              const auto places = placesOf(l);
              return places ? QVariant(*places) : QVariant(QString());
          }}},
        {"cen", {E::None, [price](D d, L l) { return QVariant(price(d, l).ToDouble()); }}},
        {"summ", {E::None, [](D d, L l) { return QVariant(d.LineSum(l).ToDouble()); }}},
        // The goods item's unit: its ОКЕИ code and symbol, a dash for a line without one.
        {"unit_code", {E::None, [](D, L l) { return QVariant(orDash(l.OKEI)); }}},
        {"unit_name", {E::None, [](D, L l) { return QVariant(orDash(UnitName(l.OKEI.trimmed()))); }}},
        {"cen_not_nds", {E::Trade, [](D, L l) { return QVariant(l.GetCenNotNds()); }}},
        {"sum_not_nds", {E::Trade, [](D, L l) { return QVariant(l.GetFigures().withoutVat.ToDouble()); }}},
        {"sum_nds", {E::Trade, [](D, L l) { return QVariant(l.GetFigures().vat.ToDouble()); }}},
        {"sf_sum_nds",
         {E::Trade,
          [](D, L l) {
              return l.GetRate().IsZero() ? QVariant(QStringLiteral("без НДС"))
                                          : QVariant(l.GetFigures().vat.ToDouble());
          }}},
        {"proc_nds",
         {E::Trade,
          [](D, L l) {
              return QVariant(l.GetRate().IsZero() ? QStringLiteral("без НДС") : l.GetRate().PercentText());
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
    return it->second(*this, *m_lines[static_cast<size_t>(index)]);
}

QVariant TDocPrintData::DSetItemsTotal(const QString& name, int first, int last) const {
    const Totals t = totals(first, last);
    if (name == QLatin1String("kol")) return t.kol.ToDouble();
    if (name == QLatin1String("summ")) return t.figures.sum.ToDouble();
    if (name == QLatin1String("mest")) {
        const auto places = Places(first, last);
        return places ? QVariant(*places) : QVariant(QString());
    }
    if (!has(m_kind.printExtras, TPrintExtras::Trade)) return {};
    if (name == QLatin1String("sum_not_nds")) return t.figures.withoutVat.ToDouble();
    if (name == QLatin1String("sum_nds")) return t.figures.vat.ToDouble();
    return {};
}

Money TDocPrintData::LineSum(const TRecDocItem& line) const {
    return kovrel::LineSum(Quantity::FromDouble(line.Kol), Money::FromDouble(line.*m_kind.price));
}

// Sums of the rounded lines: each column adds up to its total to the kopeck.
TDocPrintData::Totals TDocPrintData::totals(int first, int last) const {
    Totals t;
    for (int i = std::max(0, first); i <= last && i < LineCount(); ++i) {
        const TRecDocItem& line = *m_lines[static_cast<size_t>(i)];
        // VAT is of sales and orders, whose price is the sale price; a receipt's lines are
        // worth their purchase price.
        LineFigures f = line.GetFigures();
        f.sum = LineSum(line);
        t.figures += f;
        t.kol += Quantity::FromDouble(line.Kol);
        t.kolPack += line.GetKolPack();
    }
    return t;
}

std::optional<double> TDocPrintData::Places(int first, int last) const {
    double places = 0;
    for (int i = std::max(0, first); i <= last && i < LineCount(); ++i) {
        const auto p = placesOf(*m_lines[static_cast<size_t>(i)]);
        if (!p) return std::nullopt;
        places += *p;
    }
    return places;
}

bool TDocPrintData::SellerIsSoleTrader() const {
    return isSoleTrader(m_org);
}

bool TDocPrintData::AnyVat() const {
    return std::any_of(m_lines.begin(), m_lines.end(),
                       [](const TRecDocItem* l) { return !l->GetRate().IsZero(); });
}

int TDocPrintData::UpdStatus() const {
    return m_updStatus.value_or(AnyVat() ? 1 : 2);
}

TDocPrintData TDocPrintData::WithoutKitComponents() const {
    std::vector<const TRecDocItem*> sold;
    std::copy_if(m_lines.begin(), m_lines.end(), std::back_inserter(sold),
                 [](const TRecDocItem* l) { return !l->IsItems(); });
    TDocPrintData d(m_kind, m_rec, std::move(sold), m_org, m_kl);
    d.m_updStatus = m_updStatus;
    return d;
}

double TDocPrintData::GetItKol() const {
    return totals(0, LineCount() - 1).kol.ToDouble();
}

double TDocPrintData::GetItKolPack() const {
    return totals(0, LineCount() - 1).kolPack;
}

double TDocPrintData::GetItSum() const {
    return totals(0, LineCount() - 1).figures.sum.ToDouble();
}

double TDocPrintData::GetItSumNotNds() const {
    return totals(0, LineCount() - 1).figures.withoutVat.ToDouble();
}

double TDocPrintData::GetItSumNds() const {
    return totals(0, LineCount() - 1).figures.vat.ToDouble();
}

void TDocPrintData::ReadRequisites(TFormLoad& fl, const TGoodsDocKind& kind, const TRecDoc& rec,
                                   std::unique_ptr<TRecBank>& org, std::unique_ptr<TRecBank>& kl) {
    if (kind.printExtras == TPrintExtras::Trade) kl = fl.SelectBank(rec.KlientID);
    // A service that did not answer would only make the person wait again.
    if (fl.Failure() && fl.Failure()->kind == kovrel::RequestFailure::Kind::NoConnection) return;
    if (kind.printExtras != TPrintExtras::None) org = fl.SelectBank(kOrganizationID);
}
