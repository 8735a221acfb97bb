#include "upd_xml.h"

#include "program_version.h"
#include "windows1251.h"

#include <utility>
#include <vector>

namespace {

// ---- Texts of the format ------------------------------------------------------------------

// НаимДокОпр of the two functions.
const QString kInvoiceAndTransferName =
    QStringLiteral("Счет-фактура и документ об отгрузке товаров (выполнении работ), передаче имущественных "
                   "прав (документ об оказании услуг)");
const QString kTransferName = QStringLiteral("Документ об отгрузке товаров (выполнении работ), передаче "
                                             "имущественных прав (документ об оказании услуг)");
const QString kContent = QStringLiteral("Товары переданы");
const QString kHeadPosition = QStringLiteral("Руководитель");
const QString kSoleTraderPosition = QStringLiteral("Индивидуальный предприниматель");

QString program() {
    const TProgramVersion v = ProgramVersion();
    if (!v.valid) return QStringLiteral("Kovrel");
    return QStringLiteral("Kovrel %1.%2.%3.%4").arg(v.major).arg(v.minor).arg(v.release).arg(v.build);
}

QString date(const QDate& d) {
    return d.toString(QStringLiteral("dd.MM.yyyy"));
}

QString function(TUpdStatus status) {
    return status == TUpdStatus::InvoiceAndTransfer ? QStringLiteral("СЧФДОП") : QStringLiteral("ДОП");
}

// The rate as the format writes it; a line without VAT is "без НДС".
QString rateText(kovrel::VatRate rate) {
    return rate.IsZero() ? QStringLiteral("без НДС") : rate.PercentText();
}

// ---- XML ------------------------------------------------------------------------------------

// Elements written one after another, with attributes; texts escaped, line breaks included.
// Each text is checked against the code page on its way in, under the name a person knows it by.
class XmlOut {
public:
    using Attrs = std::vector<std::pair<const char*, QString>>;

    // An element with attributes, and its children written by `children` (none: "/>").
    template <class Children>
    void element(const char* name, const Attrs& attrs, Children children) {
        open(name, attrs);
        m_text += QLatin1String(">\r\n");
        ++m_depth;
        children();
        --m_depth;
        indent();
        m_text += QStringLiteral("</%1>\r\n").arg(QString::fromUtf8(name));
    }
    void element(const char* name, const Attrs& attrs) {
        open(name, attrs);
        m_text += QLatin1String("/>\r\n");
    }
    // An element holding one fixed text of the format.
    void textElement(const char* name, const QString& text) {
        indent();
        m_text += QStringLiteral("<%1>%2</%1>\r\n").arg(QString::fromUtf8(name), text);
    }

    // A user's text as an attribute value: named in LostTexts() when it loses characters.
    QString text(const QString& value, const QString& label) {
        QString escaped;
        escaped.reserve(value.size());
        bool lost = !FitsWindows1251(value);
        for (const QChar c : value) {
            switch (c.unicode()) {
            case u'&':
                escaped += QLatin1String("&amp;");
                break;
            case u'<':
                escaped += QLatin1String("&lt;");
                break;
            case u'>':
                escaped += QLatin1String("&gt;");
                break;
            case u'"':
                escaped += QLatin1String("&quot;");
                break;
            case u'\t':
                escaped += QLatin1String("&#9;");
                break;
            case u'\n':
                escaped += QLatin1String("&#10;");
                break;
            case u'\r':
                escaped += QLatin1String("&#13;");
                break;
            default:
                // XML 1.0 has no other control characters, not even as references.
                if (c.unicode() < 0x20) {
                    escaped += QLatin1Char('?');
                    lost = true;
                } else {
                    escaped += c;
                }
            }
        }
        if (lost && !m_lost.contains(label)) m_lost << label;
        return escaped;
    }

    QByteArray Bytes() const {
        return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n") +
               ToWindows1251(m_text);
    }
    const QStringList& Lost() const { return m_lost; }

private:
    void indent() { m_text += QString(m_depth, QLatin1Char(' ')); }
    void open(const char* name, const Attrs& attrs) {
        indent();
        m_text += QLatin1Char('<') + QString::fromUtf8(name);
        for (const auto& [attr, value] : attrs)
            if (!value.isEmpty())
                m_text += QLatin1Char(' ') + QString::fromUtf8(attr) + QStringLiteral("=\"") + value +
                          QLatin1Char('"');
    }

    QString m_text;
    int m_depth = 0;
    QStringList m_lost;
};

// ---- The document ---------------------------------------------------------------------------

class DocumentWriter {
public:
    DocumentWriter(const TUpdDocument& doc, XmlOut& out)
        : m_doc(doc)
        , m_out(out) {}

    void Write(const QString& fileId, const QDateTime& made) {
        m_out.element(
            "Файл", {{"ИдФайл", fileId}, {"ВерсФорм", QStringLiteral("5.03")}, {"ВерсПрог", program()}}, [&] {
                m_out.element("Документ",
                              {{"КНД", QStringLiteral("1115131")},
                               {"Функция", function(m_doc.status)},
                               {"НаимДокОпр", TUpdXml::DocumentName(m_doc.status)},
                               {"ДатаИнфПр", date(made.date())},
                               {"ВремИнфПр", made.time().toString(QStringLiteral("hh.mm.ss"))}},
                              [&] { document(); });
            });
    }

private:
    void document() {
        invoice();
        table();
        transfer();
        signer();
    }

    // Lines 1 to 7 of the invoice: number and date, the parties, the currency.
    void invoice() {
        m_out.element("СвСчФакт",
                      {{"НомерДок", m_out.text(m_doc.number, QStringLiteral("номер документа"))},
                       {"ДатаДок", date(m_doc.date)}},
                      [&] {
                          participant("СвПрод", m_doc.seller, QStringLiteral("продавца"));
                          // The seller ships the goods itself.
                          m_out.element("ГрузОт", {},
                                        [&] { m_out.textElement("ОнЖе", QStringLiteral("он же")); });
                          // The buyer receives the goods; a loss in its texts is named once, as the buyer's.
                          participant("ГрузПолуч", m_doc.buyer, QStringLiteral("покупателя"));
                          participant("СвПокуп", m_doc.buyer, QStringLiteral("покупателя"));
                          m_out.element("ДенИзм", {{"КодОКВ", QStringLiteral("643")},
                                                   {"НаимОКВ", QStringLiteral("Российский рубль")}});
                      });
    }

    void participant(const char* element, const TUpdParty& p, const QString& whose) {
        m_out.element(element, {}, [&] {
            m_out.element("ИдСв", {}, [&] {
                if (p.soleTrader)
                    m_out.element("СвИП", {{"ИННФЛ", p.inn}, {"ОГРНИП", p.ogrnip}},
                                  [&] { person(p.person, QStringLiteral("ФИО ") + whose); });
                else
                    m_out.element("СвЮЛУч",
                                  {{"НаимОрг", m_out.text(p.name, QStringLiteral("наименование ") + whose)},
                                   {"ИННЮЛ", p.inn},
                                   {"КПП", p.kpp}});
            });
            m_out.element("Адрес", {}, [&] {
                m_out.element("АдрИнф",
                              {{"КодСтр", QStringLiteral("643")},
                               {"НаимСтран", QStringLiteral("Россия")},
                               {"АдрТекст", m_out.text(p.address, QStringLiteral("адрес ") + whose)}});
            });
        });
    }

    void person(const TUpdPerson& fio, const QString& label) {
        m_out.element("ФИО", {{"Фамилия", m_out.text(fio.surname, label)},
                              {"Имя", m_out.text(fio.name, label)},
                              {"Отчество", m_out.text(fio.patronymic, label)}});
    }

    // The lines and the totals, with the kopecks of the paper.
    void table() {
        m_out.element("ТаблСчФакт", {}, [&] {
            kovrel::LineFigures total;
            bool vat = false;
            for (const TUpdLine& line : m_doc.lines) {
                item(line);
                total += {line.sum, line.vat, line.sumWithoutVat};
                vat = vat || !line.rate.IsZero();
            }
            m_out.element(
                "ВсегоОпл",
                {{"СтТовБезНДСВсего", total.withoutVat.ToText()}, {"СтТовУчНалВсего", total.sum.ToText()}},
                [&] { tax("СумНалВсего", vat, total.vat); });
        });
    }

    void item(const TUpdLine& line) {
        const QString label = QStringLiteral("наименование товара в строке %1").arg(line.number);
        m_out.element("СведТов",
                      {{"НомСтр", QString::number(line.number)},
                       {"НаимТов", m_out.text(line.name, label)},
                       {"ОКЕИ_Тов", line.okei},
                       {"НаимЕдИзм", line.unitName},
                       {"КолТов", line.quantity.ToText()},
                       {"ЦенаТов", line.priceWithoutVat.ToText()},
                       {"СтТовБезНДС", line.sumWithoutVat.ToText()},
                       {"НалСт", rateText(line.rate)},
                       {"СтТовУчНал", line.sum.ToText()}},
                      [&] {
                          m_out.element("Акциз", {},
                                        [&] { m_out.textElement("БезАкциз", QStringLiteral("без акциза")); });
                          tax("СумНал", !line.rate.IsZero(), line.vat);
                      });
    }

    // A VAT amount, or "без НДС" where there is none.
    void tax(const char* element, bool withVat, kovrel::Money vat) {
        m_out.element(element, {}, [&] {
            if (withVat)
                m_out.textElement("СумНал", vat.ToText());
            else
                m_out.textElement("БезНДС", QStringLiteral("без НДС"));
        });
    }

    // The transfer: what, when, on no basing document, handed over by the seller's head.
    void transfer() {
        const TUpdParty& s = m_doc.seller;
        m_out.element("СвПродПер", {}, [&] {
            m_out.element("СвПер", {{"СодОпер", kContent}, {"ДатаПер", date(m_doc.date)}}, [&] {
                m_out.textElement("БезДокОснПер", QStringLiteral("1"));
                m_out.element("СвЛицПер", {}, [&] {
                    m_out.element("РабОргПрод",
                                  {{"Должность", s.soleTrader ? kSoleTraderPosition : kHeadPosition}},
                                  [&] { person(s.head, QStringLiteral("ФИО руководителя продавца")); });
                });
            });
        });
    }

    // The head of the organization, or the sole trader, signs with the authority of the post.
    void signer() {
        const TUpdParty& s = m_doc.seller;
        m_out.element(
            "Подписант",
            {{"Должн", s.soleTrader ? QString() : kHeadPosition}, {"СпосПодтПолном", QStringLiteral("1")}},
            [&] { person(s.head, QStringLiteral("ФИО руководителя продавца")); });
    }

    const TUpdDocument& m_doc;
    XmlOut& m_out;
};

} // namespace

TUpdXml::TUpdXml(const TUpdDocument& doc, const QString& guid, const QDateTime& made)
    : m_fileId(FileIdOf(doc.buyer.edoId, doc.seller.edoId, made.date(), guid)) {
    XmlOut out;
    DocumentWriter(doc, out).Write(m_fileId, made);
    m_bytes = out.Bytes();
    m_lost = out.Lost();
}

QString TUpdXml::FileIdOf(const QString& recipient, const QString& sender, const QDate& date,
                          const QString& guid) {
    const QString flags = QStringLiteral("0_0_0_0_0"); // traceability, marking, alcohol, tobacco, petroleum
    return QStringList{QStringLiteral("ON_NSCHFDOPPR"),
                       recipient,
                       sender,
                       date.toString(QStringLiteral("yyyyMMdd")),
                       guid,
                       flags,
                       QStringLiteral("00")}
        .join(QLatin1Char('_'));
}

QString TUpdXml::DocumentName(TUpdStatus status) {
    return status == TUpdStatus::InvoiceAndTransfer ? kInvoiceAndTransferName : kTransferName;
}
