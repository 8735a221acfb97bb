#include "doc_form_payment.h"

#include "doc_fields.h"
#include "doc_form_table.h"
#include "doc_formats.h"
#include "doc_text.h"

namespace {

const double kWidth = 180;
const double kPx = 12;

// The payee's bank details framed as on a payment order.
void bankBlock(ReportBand& band, double y) {
    const auto cell = [&band](double x, double top, double w, double h, const QString& text) {
        band.texts << DocText(x, top, w, h, text, kPx).frame().wrap();
    };
    const auto caption = [&band](double top, const QString& text) {
        band.texts << DocText(0, top, 100, 4, text, 10).bottom();
    };
    cell(0, y, 100, 10, Zag("org_bank"));
    caption(y + 6, QStringLiteral("Банк получателя"));
    cell(100, y, 15, 5, QStringLiteral("БИК"));
    cell(115, y, 65, 5, Zag("org_bik"));
    cell(100, y + 5, 15, 5, QStringLiteral("Сч. №"));
    cell(115, y + 5, 65, 5, Zag("org_krs"));
    cell(0, y + 10, 50, 5, QStringLiteral("ИНН ") + Zag("org_inn"));
    cell(50, y + 10, 50, 5, QStringLiteral("КПП ") + Zag("org_kpp"));
    cell(0, y + 15, 100, 10, Zag("org_name"));
    caption(y + 21, QStringLiteral("Получатель"));
    cell(100, y + 10, 15, 15, QStringLiteral("Сч. №"));
    cell(115, y + 10, 65, 15, Zag("org_rs"));
}

ReportBand title() {
    ReportBand band;
    band.texts << DocText(
                      0, 0, kWidth, 11,
                      QStringLiteral("Внимание! Оплата данного счета означает согласие с условиями поставки "
                                     "товара. Уведомление об оплате\r\n"
                                     "обязательно, в противном случае не гарантируется наличие товара на "
                                     "складе. Товар отпускается по факту\r\n"
                                     "прихода денег на р/с Поставщика, самовывозом, при наличии доверенности "
                                     "и паспорта."),
                      11)
                      .center();
    bankBlock(band, 13);
    band.texts << DocText(0, 42, kWidth, 8,
                          QStringLiteral("Счет на оплату № ") + Zag("n") + QStringLiteral(" от ") +
                              Zag("dat"),
                          16)
                      .bold()
                      .underline()
                      .grow();
    const auto party = [&band](double y, const QString& label, const QString& text, bool bold) {
        band.texts << DocText(0, y, 25, 4.5, label, kPx);
        DocText value = DocText(25, y, kWidth - 25, 4.5, text, kPx).grow();
        band.texts << (bold ? value.bold() : value);
    };
    party(53, QStringLiteral("Поставщик:"), Zag("org_requisites"), true);
    party(59, QStringLiteral("Покупатель:"), Zag("kl_requisites"), true);
    party(65, QStringLiteral("Примечание:"), Zag("prim"), false);
    band.height = 72;
    return band;
}

// Under the table: the total, the VAT in it (or that there is none) and the total to pay
// under the sums, then the count of lines with the total and the total in words.
ReportBand totals(const DocFormTable& table) {
    ReportBand band;
    const double sum = table.x(5);
    const auto row = [&](double y, const QString& caption, const QString& value) {
        band.texts << DocText(0, y, sum, 5, caption, kPx).bold().right().middle()
                   << DocText(sum, y, table.width(5, 5), 5, value, kPx)
                          .bold()
                          .right()
                          .middle()
                          .format(DocFormats::Sum());
    };
    row(0.5, QStringLiteral("Итого:"), Zag("it_sum"));
    row(5.5, Zag("s_nds_caption"), Zag("s_it_sum_nds"));
    row(10.5, QStringLiteral("Всего к оплате:"), Zag("it_sum"));
    band.texts << DocText(0, 18, kWidth, 5,
                          QStringLiteral("Всего наименований ") + Zag("max_num_str") +
                              QStringLiteral(", на сумму ") + Zag("it_sum") + QStringLiteral(" руб."),
                          kPx)
                      .format(DocFormats::Sum())
                      .grow()
               << DocText(0, 23, kWidth, 5, Zag("it_sum_words"), kPx).bold().grow();
    band.lines << ReportLine{QLineF(0, 30, kWidth, 30), 0.6, true};
    band.height = 31;
    return band;
}

} // namespace

ReportTemplate DocFormPayment::make() {
    ReportTemplate t = DocTemplate(QStringLiteral("FRDocS"), false, QMarginsF(20, 10, 10, 10));
    t.title = title();

    const DocFormTable table({{10, {}, QStringLiteral("[Line#]"), Qt::AlignHCenter, {}},
                              {95, {}, Item("name"), Qt::AlignLeft, {}},
                              {18, {}, Item("kol"), Qt::AlignRight, DocFormats::Plain()},
                              {15, {}, Item("unit_name"), Qt::AlignHCenter, {}},
                              {20, {}, Item("cen"), Qt::AlignRight, DocFormats::Price()},
                              {22, {}, Item("summ"), Qt::AlignRight, DocFormats::Sum()}},
                             kPx, kPx);
    ReportBand heading = table.captions({QStringLiteral("№"), QStringLiteral("Товары (работы, услуги)"),
                                         QStringLiteral("Кол-во"), QStringLiteral("Ед. изм."),
                                         QStringLiteral("Цена"), QStringLiteral("Сумма")},
                                        6);
    for (ReportText& text : heading.texts)
        text.font.bold = true;
    t.columnHeader = heading;
    t.masterData = table.line(5);
    t.summary = totals(table);

    ReportBand signatures;
    const DocFields fields(kPx, 9, 0);
    fields.add(signatures, 0, 6, 5, QStringLiteral("Руководитель"), 28, {{58, Zag("org_dir"), {}}});
    fields.add(signatures, 94, 6, 5, QStringLiteral("Бухгалтер"), 24, {{62, Zag("org_gb"), {}}});
    t.child = signatures;
    // An invoice of several pages says which page is which.
    t.pageFooter = PageFooter(kWidth, 5, 10);
    t.pageFooterOnlyWhenSeveral = true;
    return t;
}
