#include "doc_form_vat_invoice.h"

#include "doc_fields.h"
#include "doc_form_table.h"
#include "doc_formats.h"
#include "doc_text.h"

namespace {

const double kWidth = 277;
const double kPx = 9;

struct HeaderLine {
    QString text;
    const char* number; // the line's number on the published form
};

ReportBand title() {
    ReportBand band;
    band.texts << DocText(kWidth - 160, 0, 160, 8,
                          QStringLiteral("Приложение N 1\r\n"
                                         "к постановлению Правительства Российской Федерации от 26 декабря "
                                         "2011 года N 1137\r\n"
                                         "(в редакции Постановления Правительства Российской Федерации от 2 "
                                         "апреля 2021 г. N 534)"),
                          8)
                      .right();
    const QList<HeaderLine> lines{
        {QStringLiteral("Продавец ") + Zag("org_name"), "(2)"},
        {QStringLiteral("Адрес: ") + Zag("org_adres"), "(2а)"},
        {QStringLiteral("ИНН / КПП продавца:") + Zag("org_inn") + QStringLiteral(" / ") + Zag("org_kpp"),
         "(2б)"},
        {QStringLiteral("Грузоотправитель и его адрес:") + Zag("org_name") + QStringLiteral(" ") +
             Zag("org_adres"),
         "(3)"},
        {QStringLiteral("Грузополучатель и его адрес: ") + Zag("kl_name") + QStringLiteral(" ") +
             Zag("kl_adres"),
         "(4)"},
        {QStringLiteral("К платежно-расчетному документу № ___ от ___"), "(5)"},
        {QStringLiteral("Документ об отгрузке N п/п 1 - ") + Zag("max_num_str") + QStringLiteral(" №  ") +
             Zag("n") + QStringLiteral(" от ") + Zag("dat"),
         "(5а)"},
        {QStringLiteral("Покупатель:") + Zag("kl_name"), "(6)"},
        {QStringLiteral("Адрес: ") + Zag("kl_adres"), "(6а)"},
        {QStringLiteral("ИНН / КПП покупателя: ") + Zag("kl_inn") + QStringLiteral(" / ") + Zag("kl_kpp"),
         "(6б)"},
        {QStringLiteral("Валюта: наименование, код: Российский рубль, 643"), "(7)"},
        {QStringLiteral("Идентификатор государственного контракта, договора (соглашения) (при наличии) -"),
         "(8)"},
    };
    const auto line = [&band](double y, double h, const DocText& text, const char* number) {
        band.texts << text << DocText(kWidth - 12, y, 12, h, QString::fromUtf8(number), 8).right().bottom();
    };
    line(9, 5,
         DocText(0, 9, kWidth - 12, 5,
                 QStringLiteral("СЧЕТ-ФАКТУРА № ") + Zag("n") + QStringLiteral(" от ") + Zag("dat"), 13)
             .bold()
             .grow(),
         "(1)");
    line(14, 4.5, DocText(0, 14, kWidth - 12, 4.5, QStringLiteral("ИСПРАВЛЕНИЕ № --- от ---"), 11), "(1а)");
    double y = 19.5;
    for (const HeaderLine& l : lines) {
        line(y, 3.4, DocText(0, y, kWidth - 12, 3.4, l.text, kPx).grow(), l.number);
        y += 3.4;
    }
    band.height = y + 2;
    return band;
}

// Columns 1, 1а, 1б, 2, 2а, 3 … 9, 10, 10а, 11, 12, 12а, 13.
DocFormTable table() {
    const auto empty = [](double width, const char* number) {
        return DocColumn{width, QString::fromUtf8(number), {}, Qt::AlignLeft, {}};
    };
    const auto sum = [](double width, const char* number, const char* field) {
        return DocColumn{width, QString::fromUtf8(number), Item(field), Qt::AlignRight, DocFormats::Sum()};
    };
    const auto fixed = [](double width, const char* number, const QString& text) {
        return DocColumn{width, QString::fromUtf8(number), text, Qt::AlignHCenter, {}};
    };
    return DocFormTable({fixed(7, "1", QStringLiteral("[Line#]")),
                         {38, QStringLiteral("1а"), Item("name"), Qt::AlignLeft, {}},
                         fixed(10, "1б", QStringLiteral("-")),
                         empty(8, "2"),
                         empty(16, "2а"),
                         {13, QStringLiteral("3"), Item("kol"), Qt::AlignRight, DocFormats::Plain()},
                         {16, QStringLiteral("4"), Item("cen_not_nds"), Qt::AlignRight, DocFormats::Price()},
                         sum(19, "5", "sum_not_nds"),
                         fixed(14, "6", QStringLiteral("без акциза")),
                         fixed(11, "7", Item("proc_nds")),
                         sum(17, "8", "sum_nds"),
                         sum(19, "9", "summ"),
                         empty(11, "10"),
                         empty(15, "10а"),
                         empty(20, "11"),
                         empty(8, "12"),
                         empty(14, "12а"),
                         empty(21, "13")},
                        7, kPx);
}

ReportBand heading(const DocFormTable& columns) {
    const auto whole = DocHeading::Whole;
    const auto part = DocHeading::Under;
    return columns.heading(
        {whole(0, "№ п/п"),
         whole(1, "Наименование товара (описание выполненных работ, оказанных услуг), имущественного права"),
         whole(2, "Код вида товара"),
         {3, 4, 0, 0, QStringLiteral("Единица измерения")},
         part(3, "код"),
         part(4, "условное обозначение (национальное)"),
         whole(5, "Количество (объем)"),
         whole(6, "Цена (тариф) за единицу измерения"),
         whole(7, "Стоимость товаров (работ, услуг), имущественных прав без налога - всего"),
         whole(8, "В том числе сумма акциза"),
         whole(9, "Налоговая ставка"),
         whole(10, "Сумма налога, предъявляемая покупателю"),
         whole(11, "Стоимость товаров (работ, услуг), имущественных прав с налогом - всего"),
         {12, 13, 0, 0, QStringLiteral("Страна происхождения товара")},
         part(12, "цифровой код"),
         part(13, "краткое наименование"),
         whole(14, "Регистрационный номер декларации на товары или регистрационный номер партии товара, "
                   "подлежащего прослеживаемости"),
         {15, 16, 0, 0,
          QStringLiteral("Количественная единица измерения товара, используемая в целях осуществления "
                         "прослеживаемости")},
         part(15, "код"),
         part(16, "условное обозначение"),
         whole(17,
               "Количество товара, подлежащего прослеживаемости, в количественной единице измерения товара, "
               "используемой в целях осуществления прослеживаемости")},
        {12.5, 7}, 3.5);
}

ReportBand signatures() {
    ReportBand band;
    const DocFields fields(kPx, 7, 3);
    const QString proxy = QStringLiteral("\r\nили иное уполномоченное лицо");
    const auto person = [&](double x, double y, const QString& caption, const QString& name) {
        fields.add(band, x, y, 7, caption + proxy, 46,
                   {{24, {}, QStringLiteral("(подпись)")}, {58, name, QStringLiteral("(ф. и. о.)")}});
    };
    person(0, 3, QStringLiteral("Руководитель организации"), Zag("org_dir"));
    person(142, 3, QStringLiteral("Главный бухгалтер"), Zag("org_gb"));
    person(0, 16, QStringLiteral("Индивидуальный предприниматель"), {});
    fields.add(band, 142, 16, 7, {}, 0,
               {{kWidth - 142,
                 {},
                 QStringLiteral("(реквизиты свидетельства о государственной\r\n"
                                "регистрации индивидуального предпринимателя)")}});
    band.texts << DocText(0, 30, kWidth, 6,
                          QStringLiteral(
                              "Примечание. 1. Первый экземпляр счета-фактуры, составленного на бумажном "
                              "носителе - покупателю, второй экземпляр - продавцу.\r\n"
                              "2. При составлении организацией счета-фактуры в электронной форме "
                              "показатель \"Главный бухгалтер (подпись) (ф. и. о.)\" не формируется."),
                          8)
                      .padding(0)
                      .grow();
    band.height = 37;
    return band;
}

} // namespace

ReportTemplate DocFormVatInvoice::make() {
    ReportTemplate t = DocTemplate(QStringLiteral("FRDocSF"), true, QMarginsF(10, 10, 10, 10));
    t.keepLastWithSummary = true;
    t.title = title();
    const DocFormTable columns = table();
    t.columnHeader = heading(columns);
    t.masterData = columns.line(4);
    DocTotal caption(0, 6, QStringLiteral("Всего к оплате:"));
    caption.bold = true;
    caption.align = Qt::AlignLeft;
    t.summary = columns.totals({caption,
                                {7, 7, Zag("it_sum_not_nds"), DocFormats::Sum()},
                                DocTotal::Cross(8, 9),
                                {10, 10, Zag("it_sum_nds"), DocFormats::Sum()},
                                {11, 11, Zag("it_sum"), DocFormats::Sum()}},
                               4.5);
    t.child = signatures();
    t.pageFooter = PageFooter(kWidth, 5, kPx);
    return t;
}
