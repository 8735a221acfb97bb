#include "report_forms.h"

#include "cross_tab_data.h"

#include <vector>

namespace {

const double kTitlePx = 15;
const double kCellPx = 13;

struct ListColumn {
    const char* caption;
    double width; // mm
    const char* field;
};

struct ListForm {
    const char* name;
    const char* source;
    const char* title; // field of DataSetZag
    std::vector<ListColumn> columns;
};

const std::vector<ListForm>& listForms() {
    static const std::vector<ListForm> forms = {
        {"FRMoveGood",
         "DSetMoveGood",
         "move_good",
         {{"Дата", 20, "dat"},
          {"Поставщик/покупатель", 80, "info"},
          {"Кол-во приход", 30, "col_1"},
          {"Кол-во расход", 30, "col_2"},
          {"Остаток", 30, "col_ost"}}},
        {"FRMoveKlient",
         "DSetMoveKlient",
         "move_klient",
         {{"Дата", 20, "dat"},
          {"Операция", 80, "info"},
          {"Приход", 30, "col_1"},
          {"Расход", 30, "col_2"},
          {"Долг (нам должны)", 30, "col_ost"}}},
        {"FRMoveKlient2",
         "DSetMoveKlient",
         "move_klient",
         {{"Дата", 20, "dat"},
          {"Операция", 80, "info"},
          {"Расход", 30, "col_1"},
          {"Приход", 30, "col_2"},
          {"Остаток", 30, "col_ost"}}},
        {"FRDolg",
         "DSetDolg",
         "dolg",
         {{"Поставщик/покупатель/счет", 130, "name"},
          {"Долг (нам должны)", 30, "col_1"},
          {"Аванс (мы должны)", 30, "col_2"}}},
        {"FRDolg2",
         "DSetDolg",
         "dolg",
         {{"Поставщик/покупатель/счет", 160, "name"}, {"Остаток", 30, "col_1"}}},
    };
    return forms;
}

// Grid columns of the sources' fields.
const std::vector<std::pair<const char*, std::vector<std::pair<const char*, int>>>>& sourceFields() {
    static const std::vector<std::pair<const char*, std::vector<std::pair<const char*, int>>>> fields = {
        {"DSetMoveGood", {{"dat", 0}, {"info", 1}, {"col_1", 2}, {"col_2", 3}, {"col_ost", 4}}},
        {"DSetMoveKlient", {{"dat", 0}, {"info", 1}, {"col_1", 2}, {"col_2", 3}, {"col_ost", 4}}},
        {"DSetDolg", {{"name", 1}, {"col_1", 2}, {"col_2", 3}}},
    };
    return fields;
}

// The date and the name or operation are text; the other columns are numbers.
bool isTextField(const char* field) {
    const QLatin1String f(field);
    return f == QLatin1String("dat") || f == QLatin1String("info") || f == QLatin1String("name");
}

const ListForm* findList(const QString& name) {
    for (const ListForm& f : listForms())
        if (name == QLatin1String(f.name)) return &f;
    return nullptr;
}

QString variable(const char* source, const char* field) {
    return QStringLiteral("[%1.\"%2\"]").arg(QLatin1String(source), QLatin1String(field));
}

ReportText cellText(double x, double width, double height, const QString& text, Qt::Alignment align) {
    ReportText t;
    t.rect = QRectF(x, 0, width, height);
    t.text = text;
    t.font = ReportFont::FromPixels(kCellPx);
    t.align = align | Qt::AlignVCenter;
    t.wordWrap = true;
    t.grow = true;
    t.fitBand = true;
    t.frame = FrameAll;
    return t;
}

} // namespace

ReportTemplate ReportForms::gridTable(const QString& name, const QString& field, const GridRowKeys& keys,
                                      std::shared_ptr<const TReportGrid> grid, bool landscape) {
    ReportTemplate t;
    t.name = name;
    t.page.landscape = landscape;
    const double width = t.page.printableWidth();

    ReportText title;
    title.rect = QRectF(0, 0, width, PxToMm(20));
    title.text = variable("DataSetZag", field.toLatin1().constData()) + QStringLiteral("\r\n ");
    title.font = ReportFont::FromPixels(kTitlePx);
    title.wordWrap = true;
    title.grow = true;
    t.title = ReportBand{0, {title}, {}, {}};

    ReportCrossTab table;
    table.font = ReportFont::FromPixels(kTitlePx);
    // Fed in the grid's order: column by column, and in each column row by row.
    table.beforePrint = [grid](CrossTabData& data) {
        for (int c = 1; c <= grid->ColCount(); ++c)
            for (int r = 1; r <= grid->RowCount(); ++r)
                data.addValue(r, c, grid->Cells(c - 1, r - 1));
    };
    // The cross-tab's columns are the grid's, fed in order; its first row is the header row.
    table.keyColumns = keys.rowNumberColumns;
    if (keys.nameColumn >= 0) table.keyColumns << keys.nameColumn;
    table.nameColumn = keys.nameColumn;
    table.headerRows = 1;
    t.masterData = ReportBand{0, {}, {}, table};

    ReportText footer;
    footer.rect = QRectF(0, 0, width, 6);
    footer.text = QStringLiteral("Страница [Page#] из [TotalPages#]");
    footer.font = ReportFont::FromPixels(kCellPx);
    footer.align = Qt::AlignRight | Qt::AlignVCenter;
    t.pageFooter = ReportBand{6, {footer}, {}, {}};
    return t;
}

ReportTemplate ReportForms::columnList(const QString& name) {
    const ListForm* form = findList(name);
    if (!form) return {};
    ReportTemplate t;
    t.name = name;
    t.repeatColumnHeader = false;
    t.masterSource = QLatin1String(form->source);

    ReportText title;
    title.rect = QRectF(0, 0, 190, 10);
    title.text = variable("DataSetZag", form->title);
    title.font = ReportFont::FromPixels(kCellPx);
    title.wordWrap = true;
    title.grow = true;
    t.title = ReportBand{10, {title}, {}, {}};

    ReportBand header{6, {}, {}, {}};
    ReportBand data{6, {}, {}, {}};
    double x = 0;
    for (const ListColumn& c : form->columns) {
        header.texts << cellText(x, c.width, 6, QString::fromUtf8(c.caption), Qt::AlignHCenter);
        data.texts << cellText(x, c.width, 6, variable(form->source, c.field),
                               isTextField(c.field) ? Qt::AlignLeft : Qt::AlignRight);
        x += c.width;
    }
    t.columnHeader = header;
    t.masterData = data;
    return t;
}

QString ReportForms::columnListSource(const QString& name) {
    const ListForm* form = findList(name);
    return form ? QLatin1String(form->source) : QString();
}

QString ReportForms::columnListTitle(const QString& name) {
    const ListForm* form = findList(name);
    return form ? QLatin1String(form->title) : QString();
}

QList<QPair<QString, int>> ReportForms::columnListFields(const QString& name) {
    QList<QPair<QString, int>> result;
    const QString source = columnListSource(name);
    for (const auto& [s, fields] : sourceFields())
        if (source == QLatin1String(s))
            for (const auto& [f, col] : fields)
                result.append({QLatin1String(f), col});
    return result;
}
