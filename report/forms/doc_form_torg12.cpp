#include "doc_form_torg12.h"

#include "doc_fields.h"
#include "doc_form_table.h"
#include "doc_formats.h"
#include "doc_text.h"
#include "doc_unified_parts.h"

namespace {

const double kWidth = 272;
const double kPx = 8;
const double kCaptionPx = 6.5;
const double kBoxes = 247; // left edge of the column of codes

// A labelled block of `lines` lines over a rule and the rule's caption; returns the next top.
double block(ReportBand& band, double y, double lines, const QString& label, const QString& value,
             const QString& caption) {
    const double h = lines * 2.45 + 0.4;
    band.texts << DocText(0, y, 28, 3, label, kPx).padding(0) << DocText(28, y, 176, h, value, kPx).grow()
               << DocText(28, y + h, 176, 2.4, caption, kCaptionPx).center();
    band.lines << ReportLine{QLineF(28, y + h, 204, y + h), PxToMm(1), true};
    return y + h + 2.6;
}

ReportBand title() {
    ReportBand band;
    DocUnifiedParts::approval(
        band, kWidth, QStringLiteral("Унифицированная форма № Торг-12"),
        QStringLiteral("Утверждена постановлением Госкомстата России от 25.12.98 № 132"));
    const DocUnifiedParts codes(kWidth, kWidth - kBoxes, kPx);
    codes.heading(band, 6.5, QStringLiteral("Коды"));
    codes.code(band, 10, QStringLiteral("Форма по ОКУД"), QStringLiteral("0330212"));
    const QString parties = QStringLiteral("организация, адрес, номер телефона, банковские реквизиты");
    // Each party's code box spans the party's block.
    double top = 13.5;
    double y = block(band, top, 3, QStringLiteral("Грузоотправитель"), Zag("org_requisites"), parties);
    codes.code(band, top, QStringLiteral("по ОКПО"), Zag("org_okpo"), y - top - 3.5);
    codes.code(band, y - 3.5, QStringLiteral("Вид деятельности по ОКДП"), Zag("kl_okpd"));
    const auto party = [&](const QString& label, const QString& requisites, const char* okpo) {
        top = y;
        y = block(band, top, 3, label, requisites, parties);
        codes.code(band, top, QStringLiteral("по ОКПО"), Zag(okpo), y - top);
    };
    party(QStringLiteral("Грузополучатель"), Zag("kl_requisites"), "kl_okpo");
    party(QStringLiteral("Поставщик"), Zag("org_requisites"), "org_okpo");
    party(QStringLiteral("Плательщик"), Zag("kl_requisites"), "kl_okpo");
    top = y;
    y = std::max(top + 7,
                 block(band, top, 1, QStringLiteral("Основание"), QStringLiteral("Договор N      от "),
                       QStringLiteral("договор, заказ-наряд")));
    codes.code(band, top, QStringLiteral("номер"), Zag("n"));
    codes.code(band, top + 3.5, QStringLiteral("дата"), Zag("dat"));
    codes.code(band, y, QStringLiteral("Транспортная накладная   номер"), Zag("n"));
    codes.code(band, y + 3.5, QStringLiteral("дата"), Zag("dat"));
    codes.code(band, y + 7, QStringLiteral("Вид операции"), {});
    DocUnifiedParts::number(band, 110, y + 1, QStringLiteral("ТОВАРНАЯ НАКЛАДНАЯ"), kPx);
    band.height = y + 12.5;
    return band;
}

DocFormTable table() {
    const auto column = [](double width, int number, const QString& value,
                           Qt::Alignment align = Qt::AlignRight, const NumberFormat& format = {}) {
        return DocColumn{width, QString::number(number), value, align, format};
    };
    const QString dash = QStringLiteral("-");
    return DocFormTable({column(10, 1, QStringLiteral("[Line#]"), Qt::AlignHCenter),
                         column(62, 2, Item("name"), Qt::AlignLeft), column(14, 3, dash, Qt::AlignHCenter),
                         column(14, 4, Item("unit_name"), Qt::AlignHCenter),
                         column(12, 5, Item("unit_code"), Qt::AlignHCenter),
                         column(14, 6, dash, Qt::AlignHCenter),
                         column(14, 7, Item("pack"), Qt::AlignRight, DocFormats::Plain()),
                         column(13, 8, Item("mest"), Qt::AlignRight, DocFormats::Plain()),
                         column(15, 9, dash, Qt::AlignHCenter),
                         column(17, 10, Item("kol"), Qt::AlignRight, DocFormats::Plain()),
                         column(17, 11, Item("cen_not_nds"), Qt::AlignRight, DocFormats::Price()),
                         column(20, 12, Item("sum_not_nds"), Qt::AlignRight, DocFormats::Sum()),
                         column(12, 13, Item("proc_nds"), Qt::AlignHCenter),
                         column(18, 14, Item("sum_nds"), Qt::AlignRight, DocFormats::Sum()),
                         column(20, 15, Item("summ"), Qt::AlignRight, DocFormats::Sum())},
                        7, kPx);
}

// A totals row: places, quantity, sums without VAT, VAT and with VAT under their columns, "Х"
// under the gross weight, the price and the rate.
ReportBand totals(const DocFormTable& columns, const QString& caption, const QStringList& values) {
    return columns.totals({DocTotal::Caption(0, 6, caption),
                           {7, 7, values[0], DocFormats::Plain()},
                           DocTotal::Cross(8, 8),
                           {9, 9, values[1], DocFormats::Plain()},
                           DocTotal::Cross(10, 10),
                           {11, 11, values[2], DocFormats::Sum()},
                           DocTotal::Cross(12, 12),
                           {13, 13, values[3], DocFormats::Sum()},
                           {14, 14, values[4], DocFormats::Sum()}},
                          3.5);
}

ReportBand heading(const DocFormTable& columns) {
    const auto whole = DocHeading::Whole;
    const auto part = DocHeading::Under;
    return columns.heading({whole(0, "Номер по порядку"),
                            {1, 2, 0, 0, QStringLiteral("Товар")},
                            part(1, "наименование, характеристика, сорт, артикул товара"),
                            part(2, "код"),
                            {3, 4, 0, 0, QStringLiteral("Единица измерения")},
                            part(3, "наименование"),
                            part(4, "код по ОКЕИ"),
                            whole(5, "Вид упаковки"),
                            {6, 7, 0, 0, QStringLiteral("Количество")},
                            part(6, "в одном месте"),
                            part(7, "мест, штук"),
                            whole(8, "Масса брутто"),
                            whole(9, "Количество (масса нетто)"),
                            whole(10, "Цена, руб. коп."),
                            whole(11, "Сумма без учета НДС, руб. коп."),
                            {12, 13, 0, 0, QStringLiteral("НДС")},
                            part(12, "ставка, %"),
                            part(13, "сумма, руб. коп."),
                            whole(14, "Сумма с учетом НДС, руб. коп.")},
                           {4, 8}, 3);
}

// The footer block of the form: what the waybill holds, the power of attorney and the
// signatures of both sides.
ReportBand footer() {
    ReportBand band;
    const DocFields fields(kPx, kCaptionPx, 2);
    const QString inWords = QStringLiteral("прописью");
    const QList<DocField> person{{24, {}, QStringLiteral("должность")},
                                 {20, {}, QStringLiteral("подпись")},
                                 {38, {}, QStringLiteral("расшифровка подписи")}};
    const auto signs = [&person](const QString& name) {
        QList<DocField> f = person;
        f.last().value = name;
        return f;
    };
    const double right = 140;
    fields.add(band, 0, 1, 3.5, QStringLiteral("Товарная накладная имеет приложение на"), 45,
               {{25, {}, {}}, {12, QStringLiteral("листах"), {}, false}});
    fields.add(band, 0, 7, 3.5, QStringLiteral("и содержит"), 16,
               {{74, Zag("max_num_str_words"), inWords},
                {40, QStringLiteral("порядковых номеров записей"), {}, false}});
    fields.add(band, right, 7, 3.5, QStringLiteral("Масса груза (нетто)"), 30, {{80, {}, inWords}});
    fields.add(band, 0, 13, 3.5, QStringLiteral("Всего мест"), 16, {{74, Zag("it_mest_words"), inWords}});
    fields.add(band, right, 13, 3.5, QStringLiteral("Масса груза (брутто)"), 30, {{80, {}, inWords}});
    fields.add(band, 0, 19, 3.5, QStringLiteral("Приложение (паспорта, сертификаты, и т. п.) на"), 50,
               {{25, {}, {}}, {12, QStringLiteral("листах"), {}, false}});
    fields.add(band, right, 19, 3.5, QStringLiteral("По доверенности №"), 27,
               {{30, {}, {}}, {4, QStringLiteral("от"), {}, false}, {8, {}, {}}, {24, {}, {}}, {10, {}, {}}});
    DocField sum{104, Zag("it_sum_words"), inWords};
    sum.grow = true;
    fields.add(band, 0, 25, 3.5, QStringLiteral("Всего отпущено на сумму"), 28, {sum});
    fields.add(band, right, 25, 3.5, QStringLiteral("Выданной"), 16,
               {{116, {}, QStringLiteral("кем, кому (организация, должность, фамилия, и. о.)")}});
    fields.add(band, 0, 32, 3.5, QStringLiteral("Отпуск разрешил"), 44, signs(Zag("org_dir")));
    fields.add(band, right, 32, 3.5, QStringLiteral("Груз принял"), 44, person);
    fields.add(
        band, 0, 39, 3.5, QStringLiteral("Главный (старший) бухгалтер"), 44,
        {{46, {}, QStringLiteral("подпись")}, {38, Zag("org_gb"), QStringLiteral("расшифровка подписи")}});
    fields.add(band, right, 39, 3.5, QStringLiteral("Груз получил грузополучатель"), 44, person);
    fields.add(band, 0, 46, 3.5, QStringLiteral("Отпуск груза произвел"), 44, person);
    fields.add(band, 0, 53, 3.5, QStringLiteral("М. П."), 16, {{40, Zag("dat"), {}}});
    fields.add(band, right, 53, 3.5, QStringLiteral("М. П."), 16, {{40, {}, {}}});
    band.lines << ReportLine{QLineF(right - 4, 6, right - 4, 58), PxToMm(1), true};
    return band;
}

} // namespace

ReportTemplate DocFormTorg12::make() {
    ReportTemplate t = DocTemplate(QStringLiteral("FRDocT12"), true, QMarginsF(10, 5, 15, 5));
    t.keepLastWithSummary = true;
    t.keepCountsPageFooter = false;
    t.title = title();
    const DocFormTable columns = table();
    t.columnHeader = heading(columns);
    t.masterData = columns.line(3.5);
    // Each page's lines add up under them; the whole waybill at its end.
    t.pageSummary = totals(columns, QStringLiteral("Итого"),
                           {Item("mest"), Item("kol"), Item("sum_not_nds"), Item("sum_nds"), Item("summ")});
    t.summary =
        totals(columns, QStringLiteral("Всего по накладной"),
               {Zag("it_mest"), Zag("it_kol"), Zag("it_sum_not_nds"), Zag("it_sum_nds"), Zag("it_sum")});
    t.child = footer();
    t.pageFooter = PageFooter(kWidth, 4, kPx);
    return t;
}
