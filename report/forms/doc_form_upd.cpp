#include "doc_form_upd.h"

#include "doc_fields.h"
#include "doc_text.h"

namespace {

const double kWidth = 277;
const double kStrip = 30; // the strip on the left; the invoice's header and signatures start here
const double kPx = 7.5;   // the transfer part's texts
const double kCaptionPx = 6;
const double kHalf = 134;             // each half of the transfer part
const double kBuyer = kWidth - kHalf; // where the buyer's half starts
const double kNumber = 7;             // the "[N]" at a row's right end
const double kRow = 3.0;              // a row of fields, up to its rules

// What the УПД changes in the invoice it is built on.
DocFormVatInvoice::Layout invoiceLayout() {
    DocFormVatInvoice::Layout layout;
    layout.left = kStrip;
    layout.leading = DocColumn{12, QStringLiteral("А"), QStringLiteral("-"), Qt::AlignHCenter, {}};
    layout.leadingHeading = QStringLiteral("Код товара/ работ, услуг");
    layout.headerLine = 2.9;
    layout.line = 3.6;
    layout.signatureTop = 1;
    layout.signatureStep = 11;
    layout.note = false;
    return layout;
}

// Beside the invoice's header: what the document is and its status.
void strip(ReportBand& band) {
    band.texts << DocText(0, 9, kStrip - 3, 11, QStringLiteral("Универсальный передаточный документ"), 10)
                      .bold()
                      .wrap()
                      .padding(0)
               << DocText(0, 22, 12, 5, QStringLiteral("Статус:"), 9).middle().padding(0)
               << DocText(12, 22, 8, 5, Zag("upd_status"), 11).bold().center().middle().frame()
               << DocText(0, 29, kStrip - 3, 16,
                          QStringLiteral("1 - счет-фактура и передаточный документ (акт)\r\n"
                                         "2 - передаточный документ (акт)"),
                          7)
                      .wrap()
                      .padding(0);
    // The strip's edge, down to the header's end however the header grew.
    band.texts << DocText(0, 8, kStrip - 1.5, 1, {}, kPx).fitBand().frame(FrameRight);
}

// Beside the signatures: how many sheets the document has.
void sheets(ReportBand& band) {
    band.texts << DocText(0, 4, kStrip - 3, 3.5, QStringLiteral("Документ составлен на"), 8).padding(0);
    DocFields(8, kCaptionPx, 1)
        .add(band, 0, 8, kRow, {}, 0,
             {{8, QStringLiteral("[TotalPages#]"), {}}, {14, QStringLiteral("листах"), {}, false}});
    // The strip's edge beside the signatures.
    band.texts << DocText(0, 0, kStrip - 1.5, 25, {}, kPx).frame(FrameRight);
}

// The transfer part, two halves under the signatures: the seller's filled in from the
// requisites, the buyer's blank.
class TransferPart {
public:
    explicit TransferPart(ReportBand& band)
        : m_band(band)
        , m_fields(kPx, kCaptionPx, 2) {}

    // A row across the page: label, a field over its caption, the row's number.
    double across(double y, const QString& title, double labelWidth, const QString& value,
                  const QString& caption, const char* number) {
        DocField f{kWidth - labelWidth - kNumber - 2, value, caption};
        f.grow = true;
        m_fields.add(m_band, 0, y, kRow, title, labelWidth, {f});
        numbered(kWidth, y, number);
        return next(y + kRow);
    }

    // "(должность) (подпись) (ф.и.о.)" under a label line.
    double person(double x, double y, const QString& title, const QString& post, const QString& name,
                  const char* number) {
        y = label(x, y, title);
        const double nameWidth = kHalf - kNumber - 38 - 22 - 4;
        m_fields.add(m_band, x, y, kRow, {}, 0,
                     {{38, post, QStringLiteral("(должность)")},
                      {22, {}, QStringLiteral("(подпись)")},
                      {nameWidth, name, QStringLiteral("(ф.и.о.)")}});
        numbered(x + kHalf, y, number);
        return next(y + kRow);
    }

    // A label and a date after it: the given one, or the blank «__» ______ 20__ года.
    double date(double x, double y, const QString& title, const QString& value, const char* number) {
        const DocFields tight(kPx, kCaptionPx, 0.5);
        if (value.isEmpty())
            tight.add(m_band, x, y, kRow, title, 45,
                      {{3, QStringLiteral("«"), {}, false},
                       {7, {}, {}},
                       {3, QStringLiteral("»"), {}, false},
                       {24, {}, {}},
                       {5, QStringLiteral("20"), {}, false},
                       {5, {}, {}},
                       {8, QStringLiteral("года"), {}, false}});
        else
            tight.add(m_band, x, y, kRow, title, 45, {{30, value, {}}});
        numbered(x + kHalf, y, number);
        return y + kRow + 1;
    }

    // A label line, then a field as wide as the half over its caption.
    double field(double x, double y, const QString& title, const QString& value, const QString& caption,
                 const char* number) {
        y = label(x, y, title);
        DocField f{kHalf - kNumber - 2, value, caption};
        f.grow = true;
        m_fields.add(m_band, x, y, kRow, {}, 0, {f});
        numbered(x + kHalf, y, number);
        return next(y + kRow);
    }

    // The place of the seal, left under the row above, beside its centred caption.
    void seal(double x, double y) {
        m_band.texts
            << DocText(x, y - m_fields.captionHeight() - 0.4, 12, 3, QStringLiteral("М.П."), kPx).padding(0);
    }

private:
    double label(double x, double y, const QString& text) {
        m_band.texts << DocText(x, y, kHalf - kNumber, 2.6, text, kPx).grow().padding(0);
        return y + 2.6;
    }

    void numbered(double right, double y, const char* number) {
        m_band.texts << DocText(right - kNumber, y, kNumber, kRow, QString::fromUtf8(number), kPx)
                            .right()
                            .bottom()
                            .padding(0);
    }

    double next(double rules) const { return rules + m_fields.captionHeight() + 0.3; }

    ReportBand& m_band;
    DocFields m_fields;
};

void transferPart(ReportBand& band, double y) {
    band.lines << ReportLine{QLineF(0, y - 1, kWidth, y - 1), PxToMm(1), true};
    TransferPart part(band);
    y = part.across(y, QStringLiteral("Основание передачи (сдачи) / получения (приемки)"), 66,
                    QStringLiteral("Без документа-основания"),
                    QStringLiteral("(договор; доверенность и др.)"), "[8]");
    y = part.across(
        y, QStringLiteral("Данные о транспортировке и грузе"), 46, {},
        QStringLiteral("(транспортная накладная, поручение экспедитору, экспедиторская / складская "
                       "расписка и др. / масса нетто/ брутто груза, если не приведены ссылки на "
                       "транспортные документы, содержащие эти сведения)"),
        "[9]");
    // The halves, parted by a rule down to the end.
    band.texts << DocText(kWidth / 2, y, 1, 1, {}, kPx).fitBand().frame(FrameLeft);
    const QString entity = QStringLiteral("Наименование экономического субъекта – составителя документа");
    const QString entityCaption =
        QStringLiteral("(может не заполняться при проставлении печати в М.П., может быть указан ИНН / КПП)");
    const QString responsible =
        QStringLiteral("Ответственный за правильность оформления факта хозяйственной жизни");

    double s =
        part.person(0, y, QStringLiteral("Товар (груз) передал / услуги, результаты работ, права сдал"),
                    Zag("upd_pass_post"), Zag("upd_pass_name"), "[10]");
    s = part.date(0, s, QStringLiteral("Дата отгрузки, передачи (сдачи)"), Zag("dat"), "[11]");
    s = part.field(
        0, s, QStringLiteral("Иные сведения об отгрузке, передаче"), {},
        QStringLiteral("(ссылки на неотъемлемые приложения, сопутствующие документы, иные документы "
                       "и т.п.)"),
        "[12]");
    s = part.person(0, s, responsible, Zag("upd_resp_post"), Zag("upd_resp_name"), "[13]");
    s = part.field(0, s, entity + QStringLiteral(" (в т.ч. комиссионера / агента)"), Zag("org_name_inn_kpp"),
                   entityCaption, "[14]");
    part.seal(0, s);

    double b = part.person(kBuyer, y,
                           QStringLiteral("Товар (груз) получил / услуги, результаты работ, права принял"),
                           {}, {}, "[15]");
    b = part.date(kBuyer, b, QStringLiteral("Дата получения (приемки)"), {}, "[16]");
    b = part.field(kBuyer, b, QStringLiteral("Иные сведения о получении, приемке"), {},
                   QStringLiteral("(информация о наличии/отсутствии претензии; ссылки на неотъемлемые "
                                  "приложения, и другие документы и т.п.)"),
                   "[17]");
    b = part.person(kBuyer, b, responsible, {}, {}, "[18]");
    b = part.field(kBuyer, b, entity, Zag("kl_name_inn_kpp"), entityCaption, "[19]");
    part.seal(kBuyer, b);
}

} // namespace

ReportTemplate DocFormUpd::make(const DocFormVatInvoice::Edition& edition) {
    ReportTemplate t = DocFormVatInvoice::make(edition, invoiceLayout());
    t.pageFooter = PageFooter(kWidth, 3.5, kPx);
    t.name = QStringLiteral("FRDocUPD");
    // The transfer part needs the room: narrower margins top and bottom.
    t.page.margins = QMarginsF(10, 5, 10, 5);
    strip(*t.title);
    sheets(*t.child);
    transferPart(*t.child, 26);
    return t;
}
