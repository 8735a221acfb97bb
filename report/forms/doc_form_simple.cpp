#include "doc_form_simple.h"

#include "doc_fields.h"
#include "doc_form_table.h"
#include "doc_formats.h"
#include "doc_text.h"

namespace {

const double kWidth = 190;
const double kPx = 12;

DocFormTable table(bool packs) {
    const auto number = [](double width, const char* field) {
        return DocColumn{width, {}, Item(field), Qt::AlignRight, DocFormats::Plain()};
    };
    QList<DocColumn> columns{{packs ? 10.0 : 12.0, {}, QStringLiteral("[Line#]"), Qt::AlignHCenter, {}},
                             {packs ? 75.0 : 103.0, {}, Item("name"), Qt::AlignLeft, {}},
                             number(packs ? 20 : 25, "kol")};
    if (packs) columns << number(18, "pack") << number(22, "kol_pack");
    columns << DocColumn{packs ? 22.0 : 25.0, {}, Item("cen"), Qt::AlignRight, DocFormats::Price()}
            << DocColumn{packs ? 23.0 : 25.0, {}, Item("summ"), Qt::AlignRight, DocFormats::Sum()};
    return DocFormTable(columns, kPx, kPx);
}

QStringList captions(bool packs) {
    QStringList c{QStringLiteral("№ п/п"), QStringLiteral("Наименование, характеристика товара"),
                  QStringLiteral("Кол-во")};
    if (packs) c << QStringLiteral("Упак.") << QStringLiteral("Кол-во упак.");
    return c << QStringLiteral("Цена") << QStringLiteral("Сумма");
}

ReportBand signatures() {
    ReportBand band;
    const DocFields fields(kPx, 9, 0);
    const QList<DocField> signature{{55, {}, QStringLiteral("(подпись)")}};
    fields.add(band, 0, 6, 5, QStringLiteral("Отпустил"), 22, signature);
    fields.add(band, 100, 6, 5, QStringLiteral("Получил"), 22, signature);
    return band;
}

} // namespace

ReportTemplate DocFormSimple::make(const QString& name, bool packs, const QString& title) {
    ReportTemplate t = DocTemplate(name, false, QMarginsF(10, 10, 10, 10));
    t.keepLastWithSummary = true;

    ReportBand head;
    head.height = 26;
    head.texts << DocText(0, 0, kWidth, 7,
                          title + QStringLiteral(" № ") + Zag("n") + QStringLiteral(" от ") + Zag("dat"), 16)
                      .bold()
                      .center()
                      .grow()
               << DocText(0, 9, kWidth, 4.5, QStringLiteral("Сдал ") + Zag("name_klient"), 13).grow()
               << DocText(0, 13.5, kWidth, 4.5, QStringLiteral("Получил ") + Zag("name_store"), 13).grow()
               << DocText(0, 18, kWidth, 4.5, QStringLiteral("Примечание ") + Zag("prim"), 13).grow();
    t.title = head;

    const DocFormTable columns = table(packs);
    const QStringList heads = captions(packs);
    t.columnHeader = columns.captions(heads, 8);
    t.masterData = columns.line(5);

    const int price = static_cast<int>(heads.size()) - 2;
    DocTotal caption = DocTotal::Caption(2, 2, QStringLiteral("Всего  "));
    caption.bold = false;
    t.summary = columns.totals({caption, {price, price + 1, Zag("it_sum"), DocFormats::Sum()}}, 6);
    t.child = signatures();
    return t;
}
