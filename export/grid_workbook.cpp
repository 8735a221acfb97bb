#include "grid_workbook.h"

#include "grid_cell_value.h"
#include "machine_numbers.h"
#include "report_grid.h"
#include "screen_scale.h"
#include "xlsx_writer_library.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// What a spreadsheet keeps in a cell and in a sheet name.
constexpr int kMaxCellText = 32767;
constexpr int kMaxSheetName = 31;
constexpr int kRowsPerProgress = 1000;

struct Lxw {
    KOVREL_LXW(workbook_new_opt);
    KOVREL_LXW(workbook_add_worksheet);
    KOVREL_LXW(workbook_add_format);
    KOVREL_LXW(workbook_close);
    KOVREL_LXW(format_set_num_format);
    KOVREL_LXW(worksheet_set_column);
    KOVREL_LXW(worksheet_write_string);
    KOVREL_LXW(worksheet_write_number);
    KOVREL_LXW(lxw_strerror);

    bool loaded() const {
        return workbook_new_opt && workbook_add_worksheet && workbook_add_format && workbook_close &&
               format_set_num_format && worksheet_set_column && worksheet_write_string &&
               worksheet_write_number && lxw_strerror;
    }
};

const Lxw& lxw() {
    static const Lxw functions;
    return functions;
}

QByteArray cellText(const QString& text) {
    if (text.size() <= kMaxCellText) return text.toUtf8();
    qsizetype n = kMaxCellText;
    if (text[n - 1].isHighSurrogate()) --n;
    return text.left(n).toUtf8();
}

QByteArray sheetNameOf(const QString& name) {
    QString s = name;
    for (QChar& c : s)
        if (QStringLiteral("[]:*?/\\").contains(c)) c = u'_';
    s = s.left(kMaxSheetName).trimmed();
    return (s.isEmpty() || s.startsWith(u'\'') ? QStringLiteral("Лист1") : s).toUtf8();
}

class Book {
public:
    Book(const QString& path, const QString& sheetName) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE; // rows go out as they are written
        m_book = lxw().workbook_new_opt(QFile::encodeName(path).constData(), &options);
        if (m_book) m_sheet = lxw().workbook_add_worksheet(m_book, sheetNameOf(sheetName).constData());
    }
    ~Book() {
        if (m_book) lxw().workbook_close(m_book);
    }

    bool Opened() const { return m_sheet; }

    lxw_error Write(const TReportGrid& grid, double scale, const ExportProgress& progress) {
        for (int c = 0; c < grid.ColCount(); ++c)
            if (const lxw_error e = lxw().worksheet_set_column(
                    m_sheet, c, c, WorkbookColumnWidth(grid.Widths[c], scale), nullptr))
                return e;
        for (int r = 0; r < grid.RowCount(); ++r) {
            for (int c = 0; c < grid.ColCount(); ++c)
                if (const lxw_error e = writeCell(r, c, grid.Cells(c, r))) return e;
            if (progress && (r + 1) % kRowsPerProgress == 0) progress(r + 1, grid.RowCount());
        }
        return LXW_NO_ERROR;
    }

    lxw_error Close() {
        const lxw_error e = lxw().workbook_close(m_book);
        m_book = nullptr;
        return e;
    }

private:
    lxw_error writeCell(int r, int c, const QString& text) {
        if (text.isEmpty()) return LXW_NO_ERROR;
        if (const std::optional<GridNumber> n = ProgramNumber(text))
            return lxw().worksheet_write_number(m_sheet, r, c, n->value, numberFormat(n->decimals));
        return lxw().worksheet_write_string(m_sheet, r, c, cellText(text).constData(), nullptr);
    }

    lxw_format* numberFormat(int decimals) {
        lxw_format*& format = m_formats[decimals];
        if (!format) {
            format = lxw().workbook_add_format(m_book);
            const QByteArray code = decimals ? "0." + QByteArray(decimals, '0') : QByteArray("0");
            lxw().format_set_num_format(format, code.constData());
        }
        return format;
    }

    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    QMap<int, lxw_format*> m_formats;
};

bool fail(QString& error, const QString& path, const QString& reason) {
    error = QStringLiteral("Не удалось записать книгу «%1»: %2").arg(path, reason);
    return false;
}

} // namespace

bool WriteGridWorkbook(const TReportGrid& grid, double scale, const QString& path, const QString& sheetName,
                       QString& error, const ExportProgress& progress) {
    if (!lxw().loaded()) return fail(error, path, QStringLiteral("не найдена библиотека libxlsxwriter"));
    const QFileInfo target(path);
    QTemporaryFile part(target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
    if (!part.open()) return fail(error, path, part.errorString());
    part.close();

    lxw_error result = LXW_ERROR_CREATING_XLSX_FILE;
    {
        // libxlsxwriter prints cells and column widths with printf: under a Russian locale a
        // cell would read <v>136,01</v>, which spreadsheets take for 136.
        const kovrel::MachineNumbersScope machineNumbers;
        Book book(part.fileName(), sheetName);
        if (book.Opened()) {
            result = book.Write(grid, scale, progress);
            const lxw_error closed = book.Close();
            if (result == LXW_NO_ERROR) result = closed;
        }
    }
    if (result != LXW_NO_ERROR) return fail(error, path, QString::fromUtf8(lxw().lxw_strerror(result)));
    // rename(2) replaces the target in one step.
    if (std::rename(QFile::encodeName(part.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return fail(error, path, QString::fromLocal8Bit(std::strerror(errno)));
    part.setAutoRemove(false);
    return true;
}
