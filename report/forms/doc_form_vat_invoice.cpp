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

using Layout = DocFormVatInvoice::Layout;

ReportBand title(const DocFormVatInvoice::Edition& e, const Layout& layout) {
    ReportBand band;
    const double x = layout.left;
    const double w = kWidth - 12 - x;
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
         DocText(x, 9, w, 5,
                 QStringLiteral("СЧЕТ-ФАКТУРА № ") + Zag("n") + QStringLiteral(" от ") + Zag("dat"), 13)
             .bold()
             .grow(),
         "(1)");
    line(14, 4.5, DocText(x, 14, w, 4.5, QStringLiteral("ИСПРАВЛЕНИЕ № --- от ---"), 11), "(1а)");
    double y = 19.5;
    const double h = layout.headerLine;
    for (const HeaderLine& l : headerLines(e)) {
        line(y, h, DocText(x, y, w, h, l.text, kPx).grow(), l.number);
        y += h;
    }
    band.height = y + 2;
    return band;
}

DocColumn dash(double width, const char* number) {
    return DocColumn{width, QString::fromUtf8(number), kDash, Qt::AlignHCenter, {}};
}

// Columns 1, 1а, 1б, 2, 2а, 3 … 9, 10, 10а, 11, 12, 12а, 13 and, from 01.10.2024, 14; the
// widths make room for column 14 where the edition has it, and for a leading column.
DocFormTable table(bool column14, const Layout& layout) {
    const double scale = (kWidth - layout.leading.width) / kWidth;
    const auto w = [column14, scale](double without, double with) {
        return (column14 ? with : without) * scale;
    };
    const auto sum = [](double width, const char* number, const char* field) {
        return DocColumn{width, QString::fromUtf8(number), Item(field), Qt::AlignRight, DocFormats::Sum()};
    };
    const auto fixed = [](double width, const char* number, const QString& text) {
        return DocColumn{width, QString::fromUtf8(number), text, Qt::AlignHCenter, {}};
    };
    QList<DocColumn> columns;
    if (layout.leading.width > 0) columns << layout.leading;
    columns << QList<DocColumn>{
        fixed(w(7, 7), "1", QStringLiteral("[Line#]")),
        {w(38, 32), QStringLiteral("1а"), Item("name"), Qt::AlignLeft, {}},
        dash(w(10, 9), "1б"),
        fixed(w(8, 8), "2", Item("unit_code")),
        fixed(w(16, 14), "2а", Item("unit_name")),
        {w(13, 12), QStringLiteral("3"), Item("kol"), Qt::AlignRight, DocFormats::Plain()},
        {w(16, 15), QStringLiteral("4"), Item("cen_not_nds"), Qt::AlignRight, DocFormats::Price()},
        sum(w(19, 18), "5", "sum_not_nds"),
        fixed(w(14, 14), "6", QStringLiteral("без акциза")),
        fixed(w(11, 11), "7", Item("proc_nds")),
        {w(17, 16), QStringLiteral("8"), Item("sf_sum_nds"), Qt::AlignRight, DocFormats::Sum()},
        sum(w(19, 18), "9", "summ"),
        dash(w(11, 11), "10"),
        dash(w(15, 13), "10а"),
        dash(w(20, 19), "11"),
        dash(w(8, 8), "12"),
        dash(w(14, 12), "12а"),
        dash(w(21, 19), "13")};
    if (column14) columns << dash(w(0, 21), "14");
    return DocFormTable(columns, 6.5, kPx);
}

ReportBand heading(const DocFormTable& columns, bool column14, const Layout& layout) {
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
    if (layout.leading.width > 0) {
        for (DocHeading& c : cells) {
            ++c.first;
            ++c.last;
        }
        cells.prepend({0, 0, 0, 1, layout.leadingHeading});
    }
    return columns.heading(cells, {14, 9}, 3.5);
}

// Two columns of signatures right of `layout.left`, narrowed to the room they have.
ReportBand signatures(const DocFormVatInvoice::Edition& e, const Layout& layout) {
    ReportBand band;
    const DocFields fields(kPx, 7, 3);
    const double scale = (kWidth - layout.left) / kWidth;
    const double left = layout.left;
    const double right = left + 142 * scale;
    const QString proxy = QStringLiteral("\r\nили иное уполномоченное лицо");
    const auto person = [&](double x, double y, const QString& caption, const QString& name) {
        fields.add(
            band, x, y, 7, caption + proxy, 46 * scale,
            {{24 * scale, {}, QStringLiteral("(подпись)")}, {58 * scale, name, QStringLiteral("(ф.и.о.)")}});
    };
    const double top = layout.signatureTop;
    const double second = top + layout.signatureStep;
    person(left, top, QStringLiteral("Руководитель организации"), Zag("sf_dir"));
    person(right, top, QStringLiteral("Главный бухгалтер"), Zag("sf_gb"));
    person(left, second, QStringLiteral("Индивидуальный предприниматель"), Zag("sf_ip"));
    fields.add(band, right, second, 7, {}, 0, {{kWidth - right, Zag("sf_ip_ogrn"), e.soleTraderCaption}});
    if (!layout.note) return band;
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
    return make(e, Layout());
}

ReportTemplate DocFormVatInvoice::make(const Edition& e, const Layout& layout) {
    ReportTemplate t = DocTemplate(QStringLiteral("FRDocSF"), true, QMarginsF(10, 10, 10, 10));
    t.keepLastWithSummary = true;
    t.title = title(e, layout);
    const DocFormTable columns = table(e.column14, layout);
    t.columnHeader = heading(columns, e.column14, layout);
    t.masterData = columns.line(layout.line);
    // Column 5 and those after it, counted from the first column of the table.
    const int c5 = layout.leading.width > 0 ? 8 : 7;
    DocTotal caption = DocTotal::Caption(0, c5 - 1, QStringLiteral("Всего к оплате (9)"));
    caption.frame = FrameAll;
    caption.align = Qt::AlignLeft;
    t.summary = columns.totals({caption,
                                {c5, c5, Zag("it_sum_not_nds"), DocFormats::Sum()},
                                DocTotal::Cross(c5 + 1, c5 + 2),
                                {c5 + 3, c5 + 3, Zag("sf_it_sum_nds"), DocFormats::Sum()},
                                {c5 + 4, c5 + 4, Zag("it_sum"), DocFormats::Sum()}},
                               4.5);
    t.child = signatures(e, layout);
    t.pageFooter = PageFooter(kWidth, 5, kPx);
    return t;
}
