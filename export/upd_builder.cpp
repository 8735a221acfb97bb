#include "upd_builder.h"

#include "date_time.h"
#include "edo_participant.h"
#include "units_of_measure.h"

#include <QRegularExpression>

namespace {

using kovrel::Money;
using kovrel::Quantity;

// The limits of the format's texts.
constexpr int kNameLength = 2000;     // a goods name
constexpr int kPartyLength = 1000;    // an organization's name, an address
constexpr int kPersonPartLength = 60; // a surname, a first name, a patronymic

// The rates the format knows besides "без НДС", in hundredths of a percent.
const QList<int> kRates = {500, 700, 909, 1000, 1667, 1800, 1803, 2000, 2200};

// The labels of the requisites editors.
const QString kEdoField = QStringLiteral("Идентификатор участника ЭДО");
const QString kInnField = QStringLiteral("ИНН");
const QString kNameField = QStringLiteral("Полное наимен.");
const QString kAddressField = QStringLiteral("Адрес");
const QString kHeadField = QStringLiteral("Руководитель");

bool matches(const QString& text, const char* pattern) {
    return QRegularExpression(QString::fromLatin1(pattern)).match(text).hasMatch();
}

// An organization's 10 digits or a person's 12, not starting with "00".
bool validInn(const QString& inn) {
    return matches(inn, "^(?!00)(\\d{10}|\\d{12})$");
}

bool validKpp(const QString& kpp) {
    return matches(kpp, "^(?!00)\\d{4}[0-9A-Z]{2}\\d{3}$");
}

std::optional<TUpdPerson> personOf(const QString& text) {
    const QStringList words = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() < 2) return std::nullopt;
    return TUpdPerson{words[0], words[1], words.mid(2).join(QLatin1Char(' '))};
}

bool personFits(const TUpdPerson& p) {
    return p.surname.size() <= kPersonPartLength && p.name.size() <= kPersonPartLength &&
           p.patronymic.size() <= kPersonPartLength;
}

QString quoted(const QStringList& fields) {
    QStringList q;
    for (const QString& f : fields)
        q << QStringLiteral("«%1»").arg(f);
    return q.join(QStringLiteral(", "));
}

} // namespace

TUpdBuilder::TUpdBuilder(const TDocPrintData& data, std::optional<TUpdStatus> status) {
    const TRecDoc& rec = data.Rec();
    m_doc.number = QString::number(rec.ID);
    m_doc.date = kovrel::DateOf(rec.DocDate);
    if (!m_doc.date.isValid() || m_doc.date.year() < 1900 || m_doc.date.year() > 2099)
        m_problems << QStringLiteral("дата документа должна быть между 1900 и 2099 годом");
    readParties(data);
    readLines(data);
    // The status as the paper УПД prints it, of the same lines.
    TDocPrintData sold = data.WithoutKitComponents();
    if (status) sold.SetUpdStatus(static_cast<int>(*status));
    m_doc.status = static_cast<TUpdStatus>(sold.UpdStatus());
    // The operators refuse an invoice line whose price is not above zero.
    if (m_doc.status == TUpdStatus::InvoiceAndTransfer)
        for (qsizetype i = 0; i < m_doc.lines.size(); ++i)
            if (m_doc.lines[i].priceWithoutVat <= Money())
                m_problems << QStringLiteral("строка %1 «%2»: в счете-фактуре цена должна быть больше нуля")
                                  .arg(m_rows[i])
                                  .arg(m_doc.lines[i].name);
}

QString TUpdBuilder::Failure() const {
    if (m_problems.isEmpty()) return {};
    QString text = m_problems.join(QStringLiteral("; "));
    text[0] = text[0].toUpper();
    return text;
}

// ---- Parties ----------------------------------------------------------------------------------

void TUpdBuilder::readParties(const TDocPrintData& data) {
    m_doc.seller = party(data.Organization(), true, QStringLiteral("своей организации"));
    if (data.Rec().KlientID < 1) {
        m_problems << QStringLiteral("выберите покупателя");
        return;
    }
    m_doc.buyer = party(data.Klient(), false, QStringLiteral("покупателя «%1»").arg(data.Rec().KlientName));
}

TUpdParty TUpdBuilder::party(const TRecBank* b, bool seller, const QString& whose) {
    const TRecBank none; // requisites that could not be read are empty
    const TRecBank& r = b ? *b : none;
    TUpdParty p;
    QStringList missing;
    QStringList wrong;
    p.edoId = r.EdoID.trimmed();
    if (p.edoId.isEmpty())
        missing << kEdoField;
    else if (const QString problem = EdoIdProblem(p.edoId); !problem.isEmpty())
        wrong << problem + QStringLiteral(" (%1)").arg(p.edoId);
    p.inn = r.Inn.trimmed();
    if (p.inn.isEmpty())
        missing << kInnField;
    else if (!validInn(p.inn))
        wrong << QStringLiteral("ИНН «%1» должен состоять из 10 цифр (организация) или 12 (индивидуальный "
                                "предприниматель)")
                     .arg(p.inn);
    p.soleTrader = p.inn.size() == 12;
    if (p.soleTrader) {
        const std::optional<TUpdPerson> person = SoleTraderName(r);
        if (!person)
            missing << kHeadField;
        else
            p.person = *person;
        p.ogrnip = FirstOgrnip(r.Ogrn);
        p.head = p.person;
    } else {
        p.name = r.Name.trimmed();
        if (p.name.isEmpty()) missing << kNameField;
        if (p.name.size() > kPartyLength)
            wrong << QStringLiteral("полное наименование длиннее %1 знаков").arg(kPartyLength);
        p.kpp = r.Kpp.trimmed();
        if (!p.kpp.isEmpty() && !validKpp(p.kpp))
            wrong << QStringLiteral("КПП «%1» должен состоять из 9 знаков: цифр, на 5-м и 6-м местах также "
                                    "заглавных латинских букв")
                         .arg(p.kpp);
        if (seller) {
            if (const auto head = personOf(r.Dir))
                p.head = *head;
            else
                missing << kHeadField;
        }
    }
    if (!personFits(p.person) || !personFits(p.head))
        wrong << QStringLiteral("фамилия, имя и отчество не длиннее %1 знаков каждое").arg(kPersonPartLength);
    p.address = r.Adres.trimmed();
    if (p.address.isEmpty()) missing << kAddressField;
    if (p.address.size() > kPartyLength) wrong << QStringLiteral("адрес длиннее %1 знаков").arg(kPartyLength);
    if (!missing.isEmpty())
        m_problems << QStringLiteral("заполните в реквизитах %1 %2").arg(whose, quoted(missing));
    for (const QString& w : wrong)
        m_problems << QStringLiteral("в реквизитах %1: %2").arg(whose, w);
    return p;
}

std::optional<TUpdPerson> TUpdBuilder::SoleTraderName(const TRecBank& b) {
    if (!b.Dir.trimmed().isEmpty()) return personOf(b.Dir);
    static const QRegularExpression title(QStringLiteral("^\\s*(ИП|Индивидуальный предприниматель)(\\s|$)"),
                                          QRegularExpression::CaseInsensitiveOption);
    QString name = b.Name;
    return personOf(name.remove(title));
}

QString TUpdBuilder::FirstOgrnip(const QString& text) {
    static const QRegularExpression number(QStringLiteral("(?<!\\d)\\d{15}(?!\\d)"));
    return number.match(text).captured();
}

// ---- Lines ------------------------------------------------------------------------------------

void TUpdBuilder::readLines(const TDocPrintData& data) {
    for (int i = 0; i < data.LineCount(); ++i)
        if (!data.Line(i).IsItems()) readLine(data.Line(i), i + 1);
    if (m_doc.lines.isEmpty())
        m_problems << QStringLiteral("в накладной нет строк, а документ должен содержать хотя бы одну");
}

// `row` is the line's place in the editor's grid and on the paper, which the messages name.
void TUpdBuilder::readLine(const TRecDocItem& item, int row) {
    TUpdLine line;
    line.number = static_cast<int>(m_doc.lines.size()) + 1;
    line.name = item.Name.trimmed();
    line.okei = item.OKEI;
    line.unitName = UnitName(item.OKEI);
    line.quantity = Quantity::FromDouble(item.Kol);
    const Money price = Money::FromDouble(item.CenR);
    line.rate = item.GetRate();
    // The figures the papers print, from the line itself.
    const kovrel::LineFigures figures = item.GetFigures();
    line.sum = figures.sum;
    line.vat = figures.vat;
    line.sumWithoutVat = figures.withoutVat;
    line.priceWithoutVat = Money::FromDouble(item.GetCenNotNds());
    m_doc.lines << line;
    m_rows << row;

    const QString where = QStringLiteral("строка %1 «%2»: ").arg(row).arg(line.name);
    if (line.name.isEmpty()) m_problems << where + QStringLiteral("нет наименования");
    if (line.name.size() > kNameLength)
        m_problems << where + QStringLiteral("наименование длиннее %1 знаков").arg(kNameLength);
    if (line.quantity <= Quantity())
        m_problems << where + QStringLiteral("количество должно быть больше нуля");
    if (price < Money()) m_problems << where + QStringLiteral("цена не может быть отрицательной");
    if (!line.rate.IsZero() && !kRates.contains(line.rate.Hundredths()))
        m_problems << where + QStringLiteral("ставки НДС %1 нет среди ставок счета-фактуры")
                                  .arg(line.rate.PercentText());
    if (!line.okei.isEmpty() && line.unitName.isEmpty())
        m_problems << where + QStringLiteral("неизвестная единица измерения с кодом %1").arg(line.okei);
}
