#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// A workbook written by libxlsxwriter, as a spreadsheet program writes one, for tests that read
// workbooks. Cells are addressed as the reader addresses them: rows and columns from 1, on the
// sheet added last. Close() writes the file (the destructor does when the test did not).
class XlsxBook {
public:
    // With `inlineStrings` the book is written in constant-memory mode, whose strings stand in
    // the cells themselves instead of the shared string table.
    explicit XlsxBook(const QString& path, bool inlineStrings = false);
    ~XlsxBook();
    XlsxBook(const XlsxBook&) = delete;
    XlsxBook& operator=(const XlsxBook&) = delete;

    XlsxBook& Sheet(const QString& name);
    // A chart sheet (a column chart of the first cells of the named worksheet).
    XlsxBook& ChartSheet(const QString& name, const QString& dataSheet);

    XlsxBook& Text(int row, int col, const QString& text);
    XlsxBook& Number(int row, int col, double value);
    XlsxBook& Date(int row, int col, QDate date);
    XlsxBook& Formula(int row, int col, const QString& formula, double result);
    XlsxBook& Bool(int row, int col, bool value);
    // A cell with a format and no value: it widens the used range.
    XlsxBook& Blank(int row, int col);
    // A string of runs, every other one bold.
    XlsxBook& Rich(int row, int col, const QStringList& runs);
    // Columns A to E of a row from texts; a text that reads as a number is written as one.
    XlsxBook& Row(int row, const QStringList& cells);

    // False when libxlsxwriter could not write the file.
    bool Close();

private:
    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_date = nullptr;
    lxw_format* m_bold = nullptr;
};
