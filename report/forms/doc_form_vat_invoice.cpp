#include "doc_form_vat_invoice.h"

#include "doc_fields.h"
#include "doc_form_table.h"
#include "doc_formats.h"
#include "doc_text.h"

namespace {

const double kWidth = 277;
const double kPx = 9;
const QString kDash = QStringLiteral("-");

struct HeaderLine {
    QString text;
    const char* number; // the line's number on the published form
};

const QString kSoleTraderBefore2026 = QStringLiteral("(реквизиты свидетельства о государственной\r\n"
                                                     "регистрации индивидуального предпринимателя)");

// The shipping document by its lines' numbers (2021) and by its name (from 01.10.2024).
const QString kShippedByLines = QStringLiteral("Документ об отгрузке № п/п 1 - ") + Zag("max_num_str") +
                                QStringLiteral(" № ") + Zag("n") + QStringLiteral(" от ") + Zag("dat");
const QString kShippedByName =
    QStringLiteral("Документ об отгрузке: накладная, № ") + Zag("n") + QStringLiteral(" от ") + Zag("dat");

QList<HeaderLine> headerLines(const DocFormVatInvoice::Edition& e) {
    QList<HeaderLine> lines{
        {QStringLiteral("Продавец: ") + Zag("org_name"), "(2)"},
        {QStringLiteral("Адрес: ") + Zag("org_adres"), "(2а)"},
        {QStringLiteral("ИНН/КПП продавца: ") + Zag("org_inn_kpp"), "(2б)"},
        {QStringLiteral("Грузоотправитель и его адрес: ") + Zag("org_name_adres"), "(3)"},
        {QStringLiteral("Грузополучатель и его адрес: ") + Zag("kl_name_adres"), "(4)"},
        {QStringLiteral("К платежно-расчетному документу № --- от ---"), "(5)"},
        {e.shippingDocument, "(5а)"},
    };
    if (e.advanceInvoices)
        lines << HeaderLine{
            QStringLiteral("К счету-фактуре (счетам-фактурам), выставленному (выставленным) при "
                           "получении оплаты, частичной оплаты или иных платежей в счет "
                           "предстоящих поставок товаров (выполнения работ, оказания услуг), "
                           "передачи имущественных прав № --- от ---, исправление № --- от ---"),
            "(5б)"};
    lines << HeaderLine{QStringLiteral("Покупатель: ") + Zag("kl_name"), "(6)"}
          << HeaderLine{QStringLiteral("Адрес: ") + Zag("kl_adres"), "(6а)"}
          << HeaderLine{QStringLiteral("ИНН/КПП покупателя: ") + Zag("kl_inn_kpp"), "(6б)"}
          << HeaderLine{QStringLiteral("Валюта: наименование, код: Российский рубль, 643"), "(7)"}
          << HeaderLine{QStringLiteral("Идентификатор государственного контракта, договора (соглашения) (при "
                                       "наличии): -"),
                        "(8)"};
    return lines;
}

ReportBand title(const DocFormVatInvoice::Edition& e) {
    ReportBand band;
    band.texts << DocText(kWidth - 170, 0, 170, 8,
                          QStringLiteral("Приложение № 1\r\n"
                                         "к постановлению Правительства Российской Федерации от 26 декабря "
                                         "2011 г. № 1137\r\n") +
                              e.amendedBy,
                          8)
                      .right();
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
    for (const HeaderLine& l : headerLines(e)) {
        line(y, 3.4, DocText(0, y, kWidth - 12, 3.4, l.text, kPx).grow(), l.number);
        y += 3.4;
    }
    band.height = y + 2;
    return band;
}

DocColumn dash(double width, const char* number) {
    return DocColumn{width, QString::fromUtf8(number), kDash, Qt::AlignHCenter, {}};
}

// Columns 1, 1а, 1б, 2, 2а, 3 … 9, 10, 10а, 11, 12, 12а, 13 and, from 01.10.2024, 14; the
// widths make room for column 14 where the edition has it.
DocFormTable table(bool column14) {
    const auto w = [column14](double without, double with) { return column14 ? with : without; };
    const auto sum = [](double width, const char* number, const char* field) {
        return DocColumn{width, QString::fromUtf8(number), Item(field), Qt::AlignRight, DocFormats::Sum()};
    };
    const auto fixed = [](double width, const char* number, const QString& text) {
        return DocColumn{width, QString::fromUtf8(number), text, Qt::AlignHCenter, {}};
    };
    QList<DocColumn> columns{
        fixed(7, "1", QStringLiteral("[Line#]")),
        {w(38, 32), QStringLiteral("1а"), Item("name"), Qt::AlignLeft, {}},
        dash(w(10, 9), "1б"),
        fixed(8, "2", Item("unit_code")),
        fixed(w(16, 14), "2а", Item("unit_name")),
        {w(13, 12), QStringLiteral("3"), Item("kol"), Qt::AlignRight, DocFormats::Plain()},
        {w(16, 15), QStringLiteral("4"), Item("cen_not_nds"), Qt::AlignRight, DocFormats::Price()},
        sum(w(19, 18), "5", "sum_not_nds"),
        fixed(14, "6", QStringLiteral("без акциза")),
        fixed(11, "7", Item("proc_nds")),
        {w(17, 16), QStringLiteral("8"), Item("sf_sum_nds"), Qt::AlignRight, DocFormats::Sum()},
        sum(w(19, 18), "9", "summ"),
        dash(11, "10"),
        dash(w(15, 13), "10а"),
        dash(w(20, 19), "11"),
        dash(8, "12"),
        dash(w(14, 12), "12а"),
        dash(w(21, 19), "13")};
    if (column14) columns << dash(21, "14");
    return DocFormTable(columns, 6.5, kPx);
}

ReportBand heading(const DocFormTable& columns, bool column14) {
    const auto whole = DocHeading::Whole;
    const auto part = DocHeading::Under;
    QList<DocHeading> cells{
        whole(0, "№ п/п"),
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
              "используемой в целях осуществления прослеживаемости")};
    if (column14)
        cells << whole(18,
                       "Стоимость товара, подлежащего прослеживаемости, без налога на добавленную стоимость, "
                       "в рублях");
    return columns.heading(cells, {14, 9}, 3.5);
}

ReportBand signatures(const DocFormVatInvoice::Edition& e) {
    ReportBand band;
    const DocFields fields(kPx, 7, 3);
    const QString proxy = QStringLiteral("\r\nили иное уполномоченное лицо");
    const auto person = [&](double x, double y, const QString& caption, const QString& name) {
        fields.add(band, x, y, 7, caption + proxy, 46,
                   {{24, {}, QStringLiteral("(подпись)")}, {58, name, QStringLiteral("(ф.и.о.)")}});
    };
    person(0, 3, QStringLiteral("Руководитель организации"), Zag("sf_dir"));
    person(142, 3, QStringLiteral("Главный бухгалтер"), Zag("sf_gb"));
    person(0, 16, QStringLiteral("Индивидуальный предприниматель"), Zag("sf_ip"));
    fields.add(band, 142, 16, 7, {}, 0, {{kWidth - 142, Zag("sf_ip_ogrn"), e.soleTraderCaption}});
    band.texts << DocText(0, 31, kWidth, 6,
                          QStringLiteral(
                              "Примечание. 1. Первый экземпляр счета-фактуры, составленного на бумажном "
                              "носителе, - покупателю, второй экземпляр - продавцу.\r\n"
                              "2. При составлении организацией счета-фактуры в электронном виде показатель "
                              "\"Главный бухгалтер (подпись) (ф.и.о.)\" не формируется."),
                          8)
                      .padding(0)
                      .grow();
    band.height = 38;
    return band;
}

DocFormVatInvoice::Edition edition(const char* name, QDate from, const char* amendedBy,
                                   const QString& shippingDocument, bool advanceInvoices, bool column14,
                                   const QString& soleTraderCaption) {
    return {QString::fromLatin1(name),
            from,
            QStringLiteral("(в редакции постановления Правительства Российской Федерации от %1)")
                .arg(QString::fromUtf8(amendedBy)),
            shippingDocument,
            advanceInvoices,
            column14,
            soleTraderCaption};
}

} // namespace

const QList<DocFormVatInvoice::Edition>& DocFormVatInvoice::editions() {
    static const QList<Edition> all{
        edition("534", QDate(2021, 7, 1), "2 апреля 2021 г. № 534", kShippedByLines, false, false,
                kSoleTraderBefore2026),
        edition("1096", QDate(2024, 10, 1), "16 августа 2024 г. № 1096", kShippedByName, false, true,
                kSoleTraderBefore2026),
        edition("26", QDate(2026, 4, 1), "23 января 2026 г. № 26", kShippedByName, true, true,
                QStringLiteral("(основной государственный регистрационный номер индивидуального\r\n"
                               "предпринимателя и дата присвоения такого номера)")),
    };
    return all;
}

ReportTemplate DocFormVatInvoice::make(const Edition& e) {
    ReportTemplate t = DocTemplate(QStringLiteral("FRDocSF"), true, QMarginsF(10, 10, 10, 10));
    t.keepLastWithSummary = true;
    t.title = title(e);
    const DocFormTable columns = table(e.column14);
    t.columnHeader = heading(columns, e.column14);
    t.masterData = columns.line(4);
    DocTotal caption = DocTotal::Caption(0, 6, QStringLiteral("Всего к оплате (9)"));
    caption.frame = FrameAll;
    caption.align = Qt::AlignLeft;
    t.summary = columns.totals({caption,
                                {7, 7, Zag("it_sum_not_nds"), DocFormats::Sum()},
                                DocTotal::Cross(8, 9),
                                {10, 10, Zag("sf_it_sum_nds"), DocFormats::Sum()},
                                {11, 11, Zag("it_sum"), DocFormats::Sum()}},
                               4.5);
    t.child = signatures(e);
    t.pageFooter = PageFooter(kWidth, 5, kPx);
    return t;
}
