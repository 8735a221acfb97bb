#include "xlsx_book.h"

#include "machine_numbers.h"
#include "xlsx_writer_library.h"

#include <QFile>
#include <QtGlobal>

#include <xlsxwriter.h>

#include <vector>

namespace {

struct Writer {
    template <class Fn>
    static Fn load(const char* name) {
        void* fn = XlsxWriterSymbol(name);
        if (!fn) qFatal("libxlsxwriter: %s not found", name);
        return reinterpret_cast<Fn>(fn);
    }
#define KOVREL_WRITER(fn) decltype(&::fn) fn = load<decltype(&::fn)>(#fn)
    KOVREL_WRITER(workbook_new_opt);
    KOVREL_WRITER(workbook_add_format);
    KOVREL_WRITER(workbook_add_worksheet);
    KOVREL_WRITER(workbook_add_chartsheet);
    KOVREL_WRITER(workbook_add_chart);
    KOVREL_WRITER(workbook_close);
    KOVREL_WRITER(format_set_num_format);
    KOVREL_WRITER(format_set_bold);
    KOVREL_WRITER(chart_add_series);
    KOVREL_WRITER(chartsheet_set_chart);
    KOVREL_WRITER(worksheet_write_string);
    KOVREL_WRITER(worksheet_write_number);
    KOVREL_WRITER(worksheet_write_datetime);
    KOVREL_WRITER(worksheet_write_formula_num);
    KOVREL_WRITER(worksheet_write_boolean);
    KOVREL_WRITER(worksheet_write_blank);
    KOVREL_WRITER(worksheet_write_rich_string);
#undef KOVREL_WRITER
};

const Writer& lxw() {
    static const Writer writer;
    return writer;
}

lxw_row_t r0(int row) {
    return static_cast<lxw_row_t>(row - 1);
}
lxw_col_t c0(int col) {
    return static_cast<lxw_col_t>(col - 1);
}

} // namespace

XlsxBook::XlsxBook(const QString& path, bool inlineStrings) {
    lxw_workbook_options options{};
    options.constant_memory = inlineStrings ? LXW_TRUE : LXW_FALSE;
    m_book = lxw().workbook_new_opt(QFile::encodeName(path).constData(), &options);
    m_date = lxw().workbook_add_format(m_book);
    lxw().format_set_num_format(m_date, "dd.mm.yyyy");
    m_bold = lxw().workbook_add_format(m_book);
    lxw().format_set_bold(m_bold);
}

XlsxBook::~XlsxBook() {
    Close();
}

XlsxBook& XlsxBook::Sheet(const QString& name) {
    m_sheet = lxw().workbook_add_worksheet(m_book, name.toUtf8().constData());
    return *this;
}

XlsxBook& XlsxBook::ChartSheet(const QString& name, const QString& dataSheet) {
    lxw_chartsheet* sheet = lxw().workbook_add_chartsheet(m_book, name.toUtf8().constData());
    lxw_chart* chart = lxw().workbook_add_chart(m_book, LXW_CHART_COLUMN);
    lxw().chart_add_series(chart, nullptr,
                           QStringLiteral("='%1'!$C$1:$C$3").arg(dataSheet).toUtf8().constData());
    lxw().chartsheet_set_chart(sheet, chart);
    return *this;
}

XlsxBook& XlsxBook::Text(int row, int col, const QString& text) {
    const kovrel::MachineNumbersScope numbers; // a row may go out now
    lxw().worksheet_write_string(m_sheet, r0(row), c0(col), text.toUtf8().constData(), nullptr);
    return *this;
}

XlsxBook& XlsxBook::Number(int row, int col, double value) {
    const kovrel::MachineNumbersScope numbers; // a row may go out now
    lxw().worksheet_write_number(m_sheet, r0(row), c0(col), value, nullptr);
    return *this;
}

XlsxBook& XlsxBook::Date(int row, int col, QDate date) {
    const kovrel::MachineNumbersScope numbers; // a row may go out now
    lxw_datetime dt{date.year(), date.month(), date.day(), 0, 0, 0};
    lxw().worksheet_write_datetime(m_sheet, r0(row), c0(col), &dt, m_date);
    return *this;
}

XlsxBook& XlsxBook::Formula(int row, int col, const QString& formula, double result) {
    const kovrel::MachineNumbersScope numbers; // a row may go out now
    lxw().worksheet_write_formula_num(m_sheet, r0(row), c0(col), formula.toUtf8().constData(), nullptr,
                                      result);
    return *this;
}

XlsxBook& XlsxBook::Bool(int row, int col, bool value) {
    const kovrel::MachineNumbersScope numbers; // a row may go out now
    lxw().worksheet_write_boolean(m_sheet, r0(row), c0(col), value ? 1 : 0, nullptr);
    return *this;
}

XlsxBook& XlsxBook::Blank(int row, int col) {
    const kovrel::MachineNumbersScope numbers; // a row may go out now
    lxw().worksheet_write_blank(m_sheet, r0(row), c0(col), m_bold);
    return *this;
}

XlsxBook& XlsxBook::Rich(int row, int col, const QStringList& runs) {
    const kovrel::MachineNumbersScope numbers; // a row may go out now
    std::vector<QByteArray> texts;
    std::vector<lxw_rich_string_tuple> tuples;
    for (const QString& run : runs)
        texts.push_back(run.toUtf8());
    for (size_t i = 0; i < texts.size(); ++i)
        tuples.push_back({i % 2 ? m_bold : nullptr, const_cast<char*>(texts[i].constData())});
    std::vector<lxw_rich_string_tuple*> list;
    for (auto& t : tuples)
        list.push_back(&t);
    list.push_back(nullptr);
    lxw().worksheet_write_rich_string(m_sheet, r0(row), c0(col), list.data(), nullptr);
    return *this;
}

XlsxBook& XlsxBook::Row(int row, const QStringList& cells) {
    for (int c = 0; c < cells.size(); ++c) {
        if (cells[c].isEmpty()) continue;
        bool number = false;
        const double value = cells[c].toDouble(&number);
        if (number)
            Number(row, c + 1, value);
        else
            Text(row, c + 1, cells[c]);
    }
    return *this;
}

bool XlsxBook::Close() {
    // The numbers go into the file here, as printf writes them: "2,5" under a Russian locale.
    const kovrel::MachineNumbersScope numbers;
    if (!m_book) return true;
    const lxw_error result = lxw().workbook_close(m_book);
    m_book = nullptr;
    return result == LXW_NO_ERROR;
}
