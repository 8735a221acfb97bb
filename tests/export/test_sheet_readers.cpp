// Reading the first worksheet of real workbooks: .xlsx written by libxlsxwriter, .xls saved by
// LibreOffice Calc, and files that are no workbook or a damaged one.
#include "sheet_reader.h"
#include "sheet_table.h"
#include "xlsx_book.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <quazip.h>
#include <quazipfile.h>

namespace {

const QString kFixture = QStringLiteral(KOVREL_FIXTURES_DIR "/receipt-import.xls");
const QString kLocked = QStringLiteral(KOVREL_FIXTURES_DIR "/receipt-import-locked.xls");

struct Read {
    bool ok = false;
    SheetTable table;
    QString error;
};

Read read(const QString& path) {
    Read r;
    r.ok = ReadFirstSheet(path, r.table, r.error);
    return r;
}

// The cells of a row, columns 1 to `cols`.
QStringList rowOf(const SheetTable& t, int row, int cols = 5) {
    QStringList out;
    for (int c = 1; c <= cols; ++c)
        out << t.Cell(row, c);
    return out;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A ZIP archive holding the given parts.
bool writeZip(const QString& path, const QList<std::pair<QString, QByteArray>>& parts) {
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate)) return false;
    for (const auto& [name, bytes] : parts) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name))) return false;
        file.write(bytes);
        file.close();
    }
    zip.close();
    return zip.getZipError() == 0;
}

// Every part of an archive, with one part replaced.
QList<std::pair<QString, QByteArray>> partsOf(const QString& path, const QString& replace = {},
                                              const QByteArray& with = {}) {
    QList<std::pair<QString, QByteArray>> parts;
    QuaZip zip(path);
    zip.open(QuaZip::mdUnzip);
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFile file(&zip);
        file.open(QIODevice::ReadOnly);
        const QString name = zip.getCurrentFileName();
        parts.append({name, name == replace ? with : file.readAll()});
    }
    return parts;
}

} // namespace

class TestSheetReaders : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void cellsOfAnXlsxReadAsTheSpreadsheetShowsThem() {
        XlsxBook book(path(QStringLiteral("cells.xlsx")));
        book.Sheet(QStringLiteral("Лист1"))
            .Text(1, 1, QStringLiteral("Код"))
            .Text(1, 2, QStringLiteral(" Наименование "))
            .Text(2, 1, QStringLiteral("КОД-1"))
            .Rich(2, 2, {QStringLiteral("Чай "), QStringLiteral("зелёный")})
            .Number(2, 3, 2.5)
            .Number(2, 4, 0.1 + 0.2)
            .Number(2, 5, 4690000000017.0)
            .Date(3, 1, QDate(2024, 2, 1))
            .Formula(3, 2, QStringLiteral("=C2*2"), 5)
            .Bool(3, 3, true)
            .Number(3, 4, -0.001);
        QVERIFY(book.Close());
        const Read r = read(path(QStringLiteral("cells.xlsx")));
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.table.RowCount(), 3);
        QCOMPARE(r.table.ColCount(), 5);
        QCOMPARE(rowOf(r.table, 1), (QStringList{"Код", " Наименование ", "", "", ""}));
        QCOMPARE(rowOf(r.table, 2), (QStringList{"КОД-1", "Чай зелёный", "2.5", "0.3", "4690000000017"}));
        QCOMPARE(rowOf(r.table, 3), (QStringList{"45323", "5", "TRUE", "-0.001", ""}));
        QCOMPARE(r.table.Cell(4, 1), QString()); // outside the used range
    }

    void inlineStringsReadLikeSharedOnes() {
        XlsxBook book(path(QStringLiteral("inline.xlsx")), true);
        book.Sheet(QStringLiteral("Лист1"))
            .Text(1, 1, QStringLiteral("Строка в ячейке"))
            .Number(1, 2, 7)
            .Text(2, 2, QStringLiteral("вторая"));
        QVERIFY(book.Close());
        bool inlineCells = false;
        for (const auto& [part, bytes] : partsOf(path(QStringLiteral("inline.xlsx"))))
            inlineCells =
                inlineCells || (part.endsWith(QLatin1String("sheet1.xml")) && bytes.contains("inlineStr"));
        QVERIFY(inlineCells);
        const Read r = read(path(QStringLiteral("inline.xlsx")));
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(rowOf(r.table, 1, 2), (QStringList{"Строка в ячейке", "7"}));
        QCOMPARE(rowOf(r.table, 2, 2), (QStringList{"", "вторая"}));
    }

    // From A1 to the last used cell: a narrow sheet reads its missing columns as empty, a
    // formatted empty cell counts as used.
    void theUsedRangeEndsAtTheLastUsedCell() {
        XlsxBook narrow(path(QStringLiteral("narrow.xlsx")));
        narrow.Sheet(QStringLiteral("Лист1"))
            .Text(1, 1, QStringLiteral("A"))
            .Text(3, 2, QStringLiteral("B3"));
        QVERIFY(narrow.Close());
        Read r = read(path(QStringLiteral("narrow.xlsx")));
        QCOMPARE(r.table.RowCount(), 3);
        QCOMPARE(r.table.ColCount(), 2);
        QCOMPARE(rowOf(r.table, 3), (QStringList{"", "B3", "", "", ""}));

        XlsxBook single(path(QStringLiteral("single.xlsx")));
        single.Sheet(QStringLiteral("Лист1")).Text(1, 1, QStringLiteral("один"));
        QVERIFY(single.Close());
        r = read(path(QStringLiteral("single.xlsx")));
        QCOMPARE(r.table.RowCount(), 1);
        QCOMPARE(r.table.ColCount(), 1);

        XlsxBook formatted(path(QStringLiteral("formatted.xlsx")));
        formatted.Sheet(QStringLiteral("Лист1")).Text(1, 1, QStringLiteral("x")).Blank(9, 6);
        QVERIFY(formatted.Close());
        r = read(path(QStringLiteral("formatted.xlsx")));
        QCOMPARE(r.table.RowCount(), 9);
        QCOMPARE(r.table.ColCount(), 6);
        QCOMPARE(r.table.Cell(9, 6), QString());
    }

    // The first sheet in the workbook's order that is a worksheet: a chart sheet before it and
    // the sheets after it are not read.
    void theFirstWorksheetIsTheOneRead() {
        XlsxBook book(path(QStringLiteral("sheets.xlsx")));
        book.ChartSheet(QStringLiteral("Диаграмма"), QStringLiteral("Первый"));
        book.Sheet(QStringLiteral("Первый")).Text(1, 1, QStringLiteral("первый")).Number(1, 3, 1);
        book.Sheet(QStringLiteral("Второй")).Text(1, 1, QStringLiteral("второй"));
        QVERIFY(book.Close());
        const Read r = read(path(QStringLiteral("sheets.xlsx")));
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.table.Cell(1, 1), QStringLiteral("первый"));
    }

    void anXlsSavedByCalc() {
        const Read r = read(kFixture);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.table.RowCount(), 6);
        QCOMPARE(r.table.ColCount(), 5);
        QCOMPARE(rowOf(r.table, 1), (QStringList{"Код", "Наименование", "Количество", "Цена", "Штрих-код"}));
        QCOMPARE(rowOf(r.table, 2),
                 (QStringList{"XLS-001", "Халва (название из файла)", "2,5", "120.5", ""}));
        QCOMPARE(rowOf(r.table, 3),
                 (QStringList{"", " Зефир ванильный (файл) ", "12", "45,90", "4690000000017"}));
        QCOMPARE(rowOf(r.table, 5), (QStringList{"XLS-009", "", "5", "10", ""}));
        QCOMPARE(rowOf(r.table, 6), (QStringList{"", "Мармелад жевательный", "7", "45323", "4690000000024"}));
    }

    void filesThatCannotBeReadSayWhy() {
        QVERIFY(writeFile(path(QStringLiteral("notes.xlsx")), "Код;Наименование\n1;Чай\n"));
        QVERIFY(writeZip(path(QStringLiteral("archive.xlsx")), {{QStringLiteral("readme.txt"), "не книга"}}));
        QVERIFY(writeZip(
            path(QStringLiteral("binary.xlsb")),
            {{QStringLiteral("_rels/.rels"),
              R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
              R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.bin"/>)"
              R"(</Relationships>)"}}));
        XlsxBook good(path(QStringLiteral("good.xlsx")));
        good.Sheet(QStringLiteral("Лист1")).Text(1, 1, QStringLiteral("x"));
        QVERIFY(good.Close());
        const QByteArray xlsx = fileBytes(path(QStringLiteral("good.xlsx")));
        QVERIFY(writeFile(path(QStringLiteral("cut.xlsx")), xlsx.left(xlsx.size() / 2)));
        QVERIFY(
            writeZip(path(QStringLiteral("broken.xlsx")),
                     partsOf(path(QStringLiteral("good.xlsx")), QStringLiteral("xl/worksheets/sheet1.xml"),
                             "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"")));
        const QByteArray xls = fileBytes(kFixture);
        QVERIFY(writeFile(path(QStringLiteral("cut.xls")), xls.left(xls.size() / 2)));

        const QList<std::pair<QString, QString>> cases{
            {QStringLiteral("notes.xlsx"),
             QStringLiteral("Файл «notes.xlsx» не является книгой Excel (.xlsx, .xlsm или .xls).")},
            {QStringLiteral("archive.xlsx"),
             QStringLiteral("Файл «archive.xlsx» не является книгой Excel (.xlsx, .xlsm или .xls).")},
            {QStringLiteral("binary.xlsb"),
             QStringLiteral(
                 "Книга «binary.xlsb» сохранена в двоичном формате .xlsb. Сохраните ее в формате .xlsx "
                 "или .xls и загрузите снова.")},
            {QStringLiteral("cut.xlsx"), QStringLiteral("Книга «cut.xlsx» повреждена: архив не открывается")},
            {QStringLiteral("broken.xlsx"),
             QStringLiteral("Книга «broken.xlsx» повреждена: часть xl/worksheets/sheet1.xml, строка 1: ")},
            {QStringLiteral("cut.xls"), QStringLiteral("Книга «cut.xls» повреждена: ")},
            {QStringLiteral("absent.xls"), QStringLiteral("Не удалось прочитать файл «absent.xls»: ")},
            {kLocked,
             QStringLiteral("Книга «receipt-import-locked.xls» защищена паролем. Снимите пароль, сохраните "
                            "книгу и загрузите ее снова.")},
        };
        for (const auto& [file, message] : cases) {
            Read r;
            r.table.SetCell(1, 1, QStringLiteral("прежнее"));
            r.ok = ReadFirstSheet(QFileInfo(file).isAbsolute() ? file : path(file), r.table, r.error);
            QVERIFY2(!r.ok, qPrintable(file));
            QVERIFY2(r.error.startsWith(message), qPrintable(r.error));
            QVERIFY2(r.error.endsWith(QLatin1Char('.')), qPrintable(r.error));
            QCOMPARE(r.table.Cell(1, 1), QStringLiteral("прежнее")); // the table is left as it was
        }
    }
};

QTEST_GUILESS_MAIN(TestSheetReaders)
#include "test_sheet_readers.moc"
