#include "doc_form_torg13.h"

#include "doc_fields.h"
#include "doc_form_table.h"
#include "doc_formats.h"
#include "doc_text.h"
#include "doc_unified_parts.h"

namespace {

const double kWidth = 199;
const double kPx = 8;
const double kHeadingPx = 7;

// Who sends and who receives: the stores as structural units, and the corresponding account.
void parties(ReportBand& band, double y) {
    const auto column = [](double width, const QString& value = {}) {
        return DocColumn{width, {}, value, Qt::AlignLeft, {}};
    };
    const DocFormTable columns({column(45, Zag("name_klient")), column(30), column(45, Zag("name_store")),
                                column(30), column(22), column(27)},
                               kHeadingPx, kPx);
    const QString unit = QStringLiteral("структурное\r\nподразделение");
    const QString activity = QStringLiteral("вид деятельности");
    ReportBand heading = columns.heading({{0, 1, 0, 0, QStringLiteral("Отправитель")},
                                          {2, 3, 0, 0, QStringLiteral("Получатель")},
                                          {4, 5, 0, 0, QStringLiteral("Корреспондирующий счёт")},
                                          {0, 0, 1, 1, unit},
                                          {1, 1, 1, 1, activity},
                                          {2, 2, 1, 1, unit},
                                          {3, 3, 1, 1, activity},
                                          {4, 4, 1, 1, QStringLiteral("счёт, субсчёт")},
                                          {5, 5, 1, 1, QStringLiteral("код аналитического\r\nучёта")}},
                                         {3.5, 6}, 0);
    for (ReportText text : heading.texts) {
        text.rect.translate(0, y);
        band.texts << text;
    }
    for (ReportText text : columns.line(6).texts) {
        text.rect.translate(0, y + heading.height);
        text.grow = false;
        text.fitBand = false;
        band.texts << text;
    }
}

ReportBand title() {
    ReportBand band;
    DocUnifiedParts::approval(
        band, kWidth, QStringLiteral("Унифицированная форма № ТОРГ-13"),
        QStringLiteral("Утверждена постановлением госкомстата России от 25.12.98 №132"));
    const DocUnifiedParts codes(kWidth, 25, kPx);
    codes.heading(band, 7, QStringLiteral("Код"));
    codes.code(band, 10.5, QStringLiteral("Форма по ОКУД"), QStringLiteral("0330213"));
    codes.code(band, 14, QStringLiteral("по ОКПО"), {});
    band.texts << DocText(0, 14, 140, 3.5, Zag("org_name"), 9).center().grow()
               << DocText(0, 17.5, 140, 2.6, QStringLiteral("(организация)"), 6.5).center();
    band.lines << ReportLine{QLineF(0, 17.5, 140, 17.5), PxToMm(1), true};
    codes.code(band, 17.5, QStringLiteral("Вид деятельности по ОКДП"), {});
    codes.code(band, 21, QStringLiteral("Вид операции"), {});
    DocUnifiedParts::number(band, 90, 30, QStringLiteral("НАКЛАДНАЯ"), kPx);
    band.texts << DocText(0, 41, kWidth, 4,
                          QStringLiteral("НА ВНУТРЕННЕЕ ПЕРЕМЕЩЕНИЕ, ПЕРЕДАЧУ ТОВАРОВ, ТАРЫ"), 10)
                      .bold()
                      .center();
    parties(band, 47);
    band.height = 67;
    return band;
}

DocFormTable table() {
    const auto column = [](double width, int number, const QString& value = {},
                           const NumberFormat& format = {}) {
        return DocColumn{width, number > 0 ? QString::number(number) : QString(), value, Qt::AlignRight,
                         format};
    };
    QList<DocColumn> columns{column(9, 0, QStringLiteral("[Line#]")),
                             column(48, 1, Item("name")),
                             column(14, 2),
                             column(12, 3),
                             column(14, 4, Item("unit_name")),
                             column(12, 5, Item("unit_code")),
                             column(13, 6),
                             column(16, 7, Item("kol"), NumberFormat::Fixed(3)),
                             column(13, 8),
                             column(13, 9),
                             column(16, 10, Item("cen"), DocFormats::Price()),
                             column(19, 11, Item("summ"), DocFormats::Sum())};
    columns[0].align = columns[4].align = columns[5].align = Qt::AlignHCenter;
    columns[1].align = Qt::AlignLeft;
    return DocFormTable(columns, kHeadingPx, kPx);
}

ReportBand heading(const DocFormTable& columns) {
    const auto cell = [](int first, int last, int top, int bottom, const char* text) {
        return DocHeading{first, last, top, bottom, QString::fromUtf8(text)};
    };
    return columns.heading(
        {cell(0, 0, 0, 2, "№"), cell(1, 2, 0, 0, "Товар, тара"),
         cell(1, 1, 1, 2, "наименование, характеристика"), cell(2, 2, 1, 2, "Код"), cell(3, 3, 0, 2, "Сорт"),
         cell(4, 5, 0, 0, "Единица измерения"), cell(4, 4, 1, 2, "наименование"),
         cell(5, 5, 1, 2, "код по ОКЕИ"), cell(6, 9, 0, 0, "Отпущено"), cell(6, 7, 1, 1, "Количество"),
         cell(8, 9, 1, 1, "Масса"), cell(6, 6, 2, 2, "в одном месте"), cell(7, 7, 2, 2, "мест, штук"),
         cell(8, 8, 2, 2, "брутто"), cell(9, 9, 2, 2, "нетто"), cell(10, 11, 0, 0, "По учётным ценам"),
         cell(10, 10, 1, 2, "цена, руб. коп."), cell(11, 11, 1, 2, "сумма, руб. коп.")},
        {3.5, 3.5, 6}, 3);
}

ReportBand signatures() {
    ReportBand band;
    const DocFields fields(kPx, 6.5, 2);
    const QList<DocField> person{{32, {}, QStringLiteral("должность")},
                                 {24, {}, QStringLiteral("подпись")},
                                 {44, {}, QStringLiteral("расшифровка подписи")}};
    fields.add(band, 0, 5, 3.5, QStringLiteral("Отпустил"), 16, person);
    band.texts << DocText(0, 13, 80, 3.5, QStringLiteral("товар и тару по количеству и надлежащему качеству"),
                          kPx)
                      .padding(0);
    fields.add(band, 80, 13, 3.5, QStringLiteral("на сумму"), 14, {{100, {}, {}}});
    fields.add(band, 0, 21, 3.5, QStringLiteral("Получил"), 16, person);
    return band;
}

} // namespace

ReportTemplate DocFormTorg13::make() {
    ReportTemplate t = DocTemplate(QStringLiteral("FRDocT13"), false, QMarginsF(5, 5, 6, 5));
    t.title = title();
    const DocFormTable columns = table();
    t.columnHeader = heading(columns);
    t.masterData = columns.line(3.5);
    t.summary = columns.totals({DocTotal::Caption(0, 5, QStringLiteral("Итого")),
                                {6, 6, {}},
                                {7, 7, Zag("it_kol"), NumberFormat::Fixed(3)},
                                {8, 8, {}},
                                {9, 9, {}},
                                {10, 10, {}},
                                {11, 11, Zag("it_sum"), DocFormats::Sum()}},
                               3.5);
    t.child = signatures();
    return t;
}
