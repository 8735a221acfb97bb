// The engine on hand-made templates: variables, declared fields and number formats, page
// numbers, page totals, the rule that keeps the last line with the totals, the column header on
// continuation pages, records taller than a page, cut texts, cross-tabs wider than the page (with
// and without the columns that say which row a cell is on), fonts that are not there.
#include "number_format.h"
#include "page_painter.h"
#include "prepared_table.h"
#include "report_engine.h"

#include <QDate>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

ReportText textAt(double top, double width, double height, const QString& text) {
    ReportText t;
    t.rect = QRectF(0, top, width, height);
    t.text = text;
    return t;
}

ReportBand band(double height, const QString& text) {
    return ReportBand{height, {textAt(0, 190, height, text)}, {}, {}};
}

// Record r is "строка r+1" worth 1 234,50 × (r + 1); "empty" is declared and has no value.
ReportDataSource numbers(int count) {
    return {QStringLiteral("Items"),
            count,
            [](const QString& field, int record) -> QVariant {
                if (field == QLatin1String("sum")) return 1234.5 * (record + 1);
                if (field == QLatin1String("name")) return QStringLiteral("строка %1").arg(record + 1);
                return {};
            },
            {QStringLiteral("sum"), QStringLiteral("name"), QStringLiteral("empty")},
            [](const QString& field, int first, int last) -> QVariant {
                if (field != QLatin1String("sum")) return {};
                return 1234.5 * ((last + 1) * (last + 2) / 2 - first * (first + 1) / 2);
            }};
}

// A list of `lines` records under a title of `titleHeight` mm, with summary, child and page
// footer: body height 297 - 20 - 6 = 271 mm.
ReportTemplate listTemplate(double titleHeight) {
    ReportTemplate t;
    t.name = QStringLiteral("List");
    t.title = band(titleHeight, QStringLiteral("Заголовок"));
    t.masterSource = QStringLiteral("Items");
    t.masterData = band(6, QStringLiteral("[Line#] [Items.\"name\"]"));
    t.summary = band(20, QStringLiteral("Итого"));
    t.child = band(10, QStringLiteral("Подписи"));
    t.pageFooter = band(6, QStringLiteral("Страница [Page#] из [TotalPages#]"));
    return t;
}

int pageOf(const PreparedReport& r, const QString& line) {
    for (int p = 0; p < r.pages.size(); ++p)
        if (r.pageLines(p).contains(line)) return p + 1;
    return 0;
}

PreparedReport prepared(const ReportTemplate& t, const QList<ReportDataSource>& sources) {
    const PrepareResult result = ReportEngine(t, sources).prepare();
    if (!result) qFatal("%s", qPrintable(result.error));
    return *result.report;
}

} // namespace

class TestReportEngine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Paper has one number format whatever the system's: a decimal comma, blanks between digit
    // groups, halves up; quantities with the decimals they need, at most three.
    void numberFormats() {
        const QChar nb(0x00A0);
        const NumberFormat two = NumberFormat::Parse(QStringLiteral("%2.2n"));
        QCOMPARE(two.format(1234567.891),
                 QStringLiteral("1") + nb + QStringLiteral("234") + nb + QStringLiteral("567,89"));
        QCOMPARE(two.format(-1234.5), QStringLiteral("-1") + nb + QStringLiteral("234,50"));
        QCOMPARE(two.format(999.995), QStringLiteral("1") + nb + QStringLiteral("000,00"));
        QCOMPARE(two.format(0), QStringLiteral("0,00"));
        QCOMPARE(NumberFormat::Parse(QStringLiteral("%2.3n")).format(2.5), QStringLiteral("2,500"));
        QCOMPARE(NumberFormat::Parse(QStringLiteral("%2.3n")).text(QStringLiteral("текст")),
                 QStringLiteral("текст"));
        const NumberFormat plain;
        QCOMPARE(plain.text(20), QStringLiteral("20"));
        QCOMPARE(plain.text(123456), QStringLiteral("123456")); // document numbers stay whole
        QCOMPARE(plain.text(3.0), QStringLiteral("3"));
        QCOMPARE(plain.text(2.5), QStringLiteral("2,5"));
        QCOMPARE(plain.text(1.0 / 24), QStringLiteral("0,042"));
        QCOMPARE(plain.text(1250.5), QStringLiteral("1") + nb + QStringLiteral("250,5"));
        QCOMPARE(plain.text(QDate(2026, 12, 9)), QStringLiteral("09.12.2026"));
    }

    // A field its source does not declare stops the preparation, naming the template and the
    // field: on paper it would be an empty cell nobody notices. A declared field without a
    // value prints as nothing.
    void variablesAndLineNumbers() {
        ReportTemplate t = listTemplate(10);
        ReportText sum = textAt(0, 190, 6, QStringLiteral("[Line#]: [Items.\"sum\"] [Items.\"empty\"]|"));
        sum.format = NumberFormat::Parse(QStringLiteral("%2.2n"));
        t.masterData = ReportBand{6, {sum}, {}, {}};
        const PreparedReport r = prepared(t, {numbers(3)});
        const QStringList lines = r.pageLines(0);
        const QChar nb(0x00A0);
        QVERIFY(lines.contains(QStringLiteral("1: 1") + nb + QStringLiteral("234,50 |")));
        QVERIFY(lines.contains(QStringLiteral("3: 3") + nb + QStringLiteral("703,50 |")));

        t.masterData->texts[0].text = QStringLiteral("[Nowhere.\"sum\"]");
        PrepareResult failed = ReportEngine(t, {numbers(3)}).prepare();
        QVERIFY(!failed);
        QVERIFY(failed.error.contains(QStringLiteral("Nowhere")));

        // Also where no band with it is ever printed: a source without records.
        t.masterData->texts[0].text = QStringLiteral("[Items.\"nme\"]");
        failed = ReportEngine(t, {numbers(0)}).prepare();
        QVERIFY(!failed);
        QCOMPARE(failed.error, QStringLiteral("List: field \"nme\" of Items is not declared"));
    }

    // Under each page's records, what they add up to, summed by the source; room for it is
    // kept, so no record runs into it.
    void pageSummaryUnderEachPage() {
        ReportTemplate t = listTemplate(10);
        ReportText total = textAt(0, 190, 8, QStringLiteral("Итого по странице [Items.\"sum\"]"));
        total.format = NumberFormat::Parse(QStringLiteral("%2.2n"));
        t.pageSummary = ReportBand{8, {total}, {}, {}};
        const PreparedReport r = prepared(t, {numbers(100)});
        QVERIFY(r.pages.size() >= 3);
        int counted = 0;
        for (int p = 0; p < r.pages.size(); ++p) {
            const QStringList lines = r.pageLines(p);
            double expected = 0;
            double lastRecordBottom = 0;
            for (const PreparedText& text : r.pages[p].texts)
                if (text.lines.first().contains(QStringLiteral(" строка "))) {
                    expected += 1234.5 * text.lines.first().section(QLatin1Char(' '), 0, 0).toInt();
                    lastRecordBottom = std::max(lastRecordBottom, text.rect.bottom());
                    ++counted;
                }
            const QStringList totals = lines.filter(QStringLiteral("Итого по странице"));
            QCOMPARE(totals.size(), 1);
            QCOMPARE(totals.first(), QStringLiteral("Итого по странице ") + total.format.format(expected));
            for (const PreparedText& text : r.pages[p].texts)
                if (text.lines.first().startsWith(QStringLiteral("Итого по странице")))
                    QVERIFY(text.rect.top() >= lastRecordBottom - 1e-6);
        }
        QCOMPARE(counted, 100);
        // No records, no page totals.
        QVERIFY(prepared(t, {numbers(0)}).pageLines(0).filter(QStringLiteral("Итого по странице")).isEmpty());
    }

    // A record taller than a page (one endless name) is divided between pages at its lines, and
    // its cells' frames are closed on each page.
    void recordTallerThanAPageRunsOn() {
        ReportText name =
            textAt(0, 60, 6, QStringLiteral("[Items.\"name\"] ") + QStringLiteral("слово ").repeated(2500));
        name.grow = true;
        name.wordWrap = true;
        name.frame = FrameAll;
        name.fitBand = true;
        ReportText sum = textAt(0, 40, 6, QStringLiteral("[Items.\"sum\"]"));
        sum.rect.moveLeft(60);
        sum.frame = FrameAll;
        sum.fitBand = true;
        ReportTemplate t = listTemplate(10);
        t.masterData = ReportBand{6, {name, sum}, {}, {}};
        const PrepareResult result = ReportEngine(t, {numbers(2)}).prepare();
        QVERIFY2(result, qPrintable(result.error));
        const PreparedReport& r = *result.report;
        QVERIFY(r.pages.size() >= 3);
        int words = 0;
        for (const PreparedPage& page : r.pages) {
            for (const PreparedText& text : page.texts) {
                QVERIFY(text.rect.bottom() <= 297 - 10 + 1e-6);
                words += static_cast<int>(text.lines.join(QLatin1Char(' ')).count(QStringLiteral("слово")));
            }
            for (const PreparedFrame& f : page.frames)
                QVERIFY(f.rect.bottom() <= 281 + 1e-6);
        }
        QCOMPARE(words, 2 * 2500);
        QCOMPARE(pageOf(r, QStringLiteral("Итого")), static_cast<int>(r.pages.size()));
    }

    // What a block that does not grow cannot hold is cut, and the cut shows.
    void cutTextsEndWithAnEllipsis() {
        ReportText wide = textAt(0, 30, 5, QStringLiteral("Очень длинное наименование склада в одну строку"));
        ReportText tall = textAt(10, 40, 6, QStringLiteral("первая строка\nвторая строка\nтретья"));
        ReportTemplate t;
        t.name = QStringLiteral("Cut");
        t.title = ReportBand{20, {wide, tall}, {}, {}};
        const PreparedReport r = prepared(t, {});
        const QList<PreparedText>& texts = r.pages[0].texts;
        QVERIFY(texts[0].lines.first().endsWith(QChar(0x2026)));
        QVERIFY(texts[0].lines.first().startsWith(QStringLiteral("Очень")));
        QVERIFY(TextMeasurer().textWidth(texts[0].lines.first(), texts[0].font) <=
                texts[0].rect.width() + 0.01);
        QCOMPARE(texts[1].lines, QStringList{QStringLiteral("первая строка") + QChar(0x2026)});
    }

    // People see what a report is called, never its template's name.
    void displayNameAndFooterOfSeveralPages() {
        ReportTemplate t = listTemplate(10);
        t.displayName = QStringLiteral("Остатки товаров");
        t.pageFooterOnlyWhenSeveral = true;
        PreparedReport r = prepared(t, {numbers(3)});
        QCOMPARE(r.caption(), QStringLiteral("Остатки товаров"));
        QCOMPARE(pageOf(r, QStringLiteral("Страница 1 из 1")), 0);
        r = prepared(t, {numbers(120)});
        QCOMPARE(pageOf(r, QStringLiteral("Страница 1 из 3")), 1);
        QCOMPARE(pageOf(r, QStringLiteral("Страница 3 из 3")), 3);
        t.displayName.clear();
        QCOMPARE(prepared(t, {numbers(1)}).caption(), QStringLiteral("Печатная форма"));
    }

    void pageNumbersAndCount() {
        const PreparedReport r = prepared(listTemplate(10), {numbers(120)});
        QCOMPARE(r.pages.size(), 3);
        for (int p = 1; p <= 3; ++p)
            QVERIFY(r.pageLines(p - 1).contains(QStringLiteral("Страница %1 из 3").arg(p)));
        // Nothing runs into the footer.
        for (const PreparedPage& page : r.pages)
            for (const PreparedText& text : page.texts)
                if (!text.lines.first().startsWith(QStringLiteral("Страница")))
                    QVERIFY(text.rect.bottom() <= 281.0 + 1e-6);
    }

    void lastLineStaysWithSummary() {
        // 45 lines fill the first page to 1 mm; the summary and signatures do not fit after the
        // last, so the last line goes over with them.
        ReportTemplate t = listTemplate(0);
        t.title.reset();
        t.keepLastWithSummary = true;
        PreparedReport r = prepared(t, {numbers(45)});
        QCOMPARE(pageOf(r, QStringLiteral("44 строка 44")), 1);
        QCOMPARE(pageOf(r, QStringLiteral("45 строка 45")), 2);
        QCOMPARE(pageOf(r, QStringLiteral("Итого")), 2);
        t.keepLastWithSummary = false;
        r = prepared(t, {numbers(45)});
        QCOMPARE(pageOf(r, QStringLiteral("45 строка 45")), 1);
        QCOMPARE(pageOf(r, QStringLiteral("Итого")), 2);

        // 40 mm left before the last line: line, summary and child (36) fit, with the page
        // footer (42) they do not; only the rule that counts the footer moves the line.
        t = listTemplate(21);
        t.keepLastWithSummary = true;
        r = prepared(t, {numbers(36)});
        QCOMPARE(pageOf(r, QStringLiteral("36 строка 36")), 2);
        t.keepCountsPageFooter = false;
        r = prepared(t, {numbers(36)});
        QCOMPARE(pageOf(r, QStringLiteral("36 строка 36")), 1);
        QCOMPARE(pageOf(r, QStringLiteral("Подписи")), 1);
    }

    void columnHeaderOnContinuationPages() {
        ReportTemplate t = listTemplate(10);
        t.columnHeader = band(6, QStringLiteral("Шапка"));
        const auto headers = [](const PreparedReport& r) {
            QList<int> pages;
            for (int p = 0; p < r.pages.size(); ++p)
                if (r.pageLines(p).contains(QStringLiteral("Шапка"))) pages << p + 1;
            return pages;
        };
        PreparedReport r = prepared(t, {numbers(120)});
        QCOMPARE(headers(r), (QList<int>{1, 2, 3}));
        QCOMPARE(r.pageLines(1).first(), QStringLiteral("Шапка"));
        t.repeatColumnHeader = false;
        r = prepared(t, {numbers(120)});
        QCOMPARE(headers(r), (QList<int>{1}));
    }

    void crossTabContinuesAcrossAndDown() {
        // 60 rows of 8 columns of 40 characters: neither fits a page.
        ReportTemplate t;
        t.name = QStringLiteral("Wide");
        ReportCrossTab table;
        table.beforePrint = [](CrossTabData& data) {
            for (int c = 1; c <= 8; ++c)
                for (int r = 1; r <= 60; ++r)
                    data.addValue(
                        r, c, QStringLiteral("r%1c%2 ").arg(r).arg(c).leftJustified(40, QLatin1Char('x')));
        };
        t.masterData = ReportBand{0, {}, {}, table};
        const PreparedReport r = prepared(t, {});
        QVERIFY(r.pages.size() >= 4);
        QSet<QString> seen;
        for (const PreparedPage& page : r.pages) {
            for (const PreparedFrame& f : page.frames)
                QVERIFY(f.rect.right() <= 200.0 + 1e-6);
            for (const QStringList& row : PreparedTable(page))
                for (const QString& cell : row) {
                    QVERIFY2(!seen.contains(cell), qPrintable(cell));
                    seen.insert(cell);
                }
        }
        QCOMPARE(seen.size(), 8 * 60);
        // Columns continue after all rows of the first slice: row 1 of column 1 opens the
        // first page, row 60 of column 1 closes the first slice before row 1 of a later column.
        QVERIFY(PreparedTable(r.pages.first()).first().first().startsWith(QStringLiteral("r1c1 ")));
        QCOMPARE(pageOf(r, QStringLiteral("r1c1 ").leftJustified(40, QLatin1Char('x'))), 1);
        QVERIFY(pageOf(r, QStringLiteral("r60c1 ").leftJustified(40, QLatin1Char('x'))) <
                pageOf(r, QStringLiteral("r1c8 ").leftJustified(40, QLatin1Char('x'))));
    }

    // With its row numbers and names named, a table wider than the page reads page by page:
    // every page has them and the headings, the pages go by rows, the name gives up width to the
    // numbers and wraps where that saves paper, and every other cell is printed once.
    void crossTabWithKeysReadsByRows() {
        bool allLong = false; // otherwise every tenth name
        const auto name = [&allLong](int r) {
            if (!allLong && r % 10 != 1) return QStringLiteral("Товар %1").arg(r);
            return QStringLiteral("Товар %1 с наименованием длиннее, чем нужно для одной строки").arg(r);
        };
        ReportTemplate t;
        t.title = band(40, QStringLiteral("Заголовок"));
        t.pageFooter = band(6, QStringLiteral("Страница [Page#] из [TotalPages#]"));
        ReportCrossTab table;
        table.beforePrint = [&name](CrossTabData& data) {
            data.addValue(0, 0, QString());
            data.addValue(0, 1, QStringLiteral("Наименование"));
            for (int c = 2; c < 12; ++c)
                data.addValue(0, c, QStringLiteral("Колонка %1").arg(c));
            for (int r = 1; r <= 60; ++r) {
                data.addValue(r, 0, QString::number(r));
                data.addValue(r, 1, name(r));
                for (int c = 2; c < 12; ++c)
                    data.addValue(r, c, QStringLiteral("%1").arg(r * 100 + c, 8, 10, QLatin1Char('0')));
            }
        };
        table.keyColumns = {0, 1};
        table.nameColumn = 1;
        table.headerRows = 1;
        t.masterData = ReportBand{0, {}, {}, table};
        const PreparedReport r = prepared(t, {});

        QList<QList<int>> rowsOfPage;
        QList<QStringList> headingsOfPage;
        QSet<QString> seen;
        for (const PreparedPage& page : r.pages) {
            const QList<QStringList> cells = PreparedTable(page);
            QCOMPARE(cells[0].mid(0, 2), (QStringList{QString(), QStringLiteral("Наименование")}));
            headingsOfPage << cells[0].mid(2);
            rowsOfPage.append(QList<int>());
            for (const QStringList& row : cells.mid(1)) {
                QCOMPARE(QString(row[1]).replace(QLatin1Char('\n'), QLatin1Char(' ')), name(row[0].toInt()));
                rowsOfPage.last() << row[0].toInt();
                for (const QString& cell : row.mid(2)) {
                    QVERIFY2(!seen.contains(cell), qPrintable(cell));
                    seen.insert(cell);
                }
            }
            for (const PreparedFrame& f : page.frames)
                QVERIFY(f.rect.right() <= 200.0 + 1e-6);
        }
        QCOMPARE(seen.size(), 60 * 10);
        // Slices of the same rows follow each other, then the next rows, from the first row.
        const qsizetype slices = QSet<QStringList>(headingsOfPage.begin(), headingsOfPage.end()).size();
        QVERIFY(slices >= 2);
        QCOMPARE(r.pages.size() % slices, 0);
        int next = 1;
        for (qsizetype p = 0; p < r.pages.size(); p += slices) {
            QCOMPARE(rowsOfPage[p].first(), next);
            for (qsizetype s = 1; s < slices; ++s) {
                QCOMPARE(rowsOfPage[p + s], rowsOfPage[p]);
                QCOMPARE(headingsOfPage[p + s], headingsOfPage[s]);
            }
            next = rowsOfPage[p].last() + 1;
        }
        QCOMPARE(next, 61);

        // The name wraps in a column that leaves the numbers the rest of the page: no fewer
        // slices would do even beside a name a quarter of the page wide, and the name takes
        // what the widest slice leaves.
        const QList<PreparedFrame>& frames = r.pages[0].frames;
        const double numberWidth = frames[0].rect.width();
        const double nameWidth = frames[1].rect.width();
        const double valueWidth = frames[2].rect.width();
        const auto perSlice = headingsOfPage[0].size();
        QVERIFY(TextIn(r.pages[0], frames[int(perSlice) + 3].rect).contains(QLatin1Char('\n')));
        QVERIFY(nameWidth >= 190.0 / 4 - 0.1);
        QVERIFY(numberWidth + nameWidth + perSlice * valueWidth <= 190 + 1e-6);
        QVERIFY(numberWidth + nameWidth + (perSlice + 1) * valueWidth > 190);
        const int besideQuarter = int((190 - numberWidth - 190.0 / 4) / valueWidth);
        QCOMPARE(slices, (10 + besideQuarter - 1) / besideQuarter);

        // Every name long: wrapped, each would make its row taller; they keep one line each and
        // the numbers take more slices.
        allLong = true;
        const PreparedReport whole = prepared(t, {});
        QVERIFY(whole.pages.size() > r.pages.size());
        for (const PreparedText& text : whole.pages[0].texts)
            QCOMPARE(text.lines.size(), 1);
        QVERIFY(PreparedTable(whole.pages[0])[0].size() - 2 < perSlice);

        // A table that fits the page's width prints as without keys, every cell once.
        table.beforePrint = [](CrossTabData& data) {
            for (int row = 0; row <= 80; ++row)
                for (int c = 0; c < 4; ++c)
                    data.addValue(row, c, QStringLiteral("r%1c%2").arg(row).arg(c));
        };
        t.masterData = ReportBand{0, {}, {}, table};
        const PreparedReport keyed = prepared(t, {});
        table.keyColumns.clear();
        table.nameColumn = -1;
        table.headerRows = 0;
        t.masterData = ReportBand{0, {}, {}, table};
        QVERIFY(keyed.pages.size() >= 2);
        QCOMPARE(keyed.dump(), prepared(t, {}).dump());
    }

    // A text that grows pushes what is marked to move down, across the whole band, and the band
    // keeps its room below; what is not marked stays.
    void growingTextsPushRowsDown() {
        ReportText name =
            textAt(0, 30, 5, QStringLiteral("длинное наименование, которое не помещается в одну строку"));
        name.grow = true;
        name.wordWrap = true;
        ReportText below = textAt(10, 100, 5, QStringLiteral("ниже"));
        below.rect.moveLeft(60);
        below.shift = true;
        ReportText fixed = textAt(10, 20, 5, QStringLiteral("на месте"));
        fixed.rect.moveLeft(170);
        ReportLine rule{QLineF(60, 15, 160, 15), 0.3, true};
        ReportTemplate t;
        t.title = ReportBand{20, {name, below, fixed}, {rule}, {}};
        t.masterData = band(5, QStringLiteral("после"));
        const PreparedReport r = prepared(t, {});
        const QList<PreparedText>& texts = r.pages[0].texts;
        QVERIFY(texts[0].lines.size() >= 3);
        const double drop = texts[0].lines.size() * texts[0].lineHeight - 5; // how far the name grew
        QCOMPARE(texts[1].rect.top(), 10 + 10 + drop);
        QCOMPARE(texts[2].rect.top(), 10 + 10.0);
        QCOMPARE(r.pages[0].lines[0].line.y1(), 10 + 15 + drop);
        QCOMPARE(texts[3].rect.top(), 10 + 20 + drop);
    }

    // Small type on a 96 dpi picture spans the width it was measured for.
    void smallTypeKeepsItsMeasuredWidth() {
        TextMeasurer measurer;
        const ReportFont font{QStringLiteral("Liberation Sans"), 5.625}; // 7.5 px
        const QString text = QStringLiteral("Наименование товара (описание выполненных");
        const double width = measurer.textWidth(text, font);
        const PreparedPage page{
            QSizeF(210, 20), {}, {}, {PreparedText{QRectF(10, 5, 150, 3), font, Qt::AlignLeft, {text}, 3}}};
        const double pxPerMm = 96 / 25.4;
        QImage image(qRound(210 * pxPerMm), qRound(20 * pxPerMm), QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(96 / 0.0254));
        image.setDotsPerMeterY(qRound(96 / 0.0254));
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            PagePainter::paint(painter, page, pxPerMm);
        }
        int right = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 160) right = std::max(right, x);
        const double measured = (10 + width) * pxPerMm;
        QVERIFY2(right <= measured + 1 && right >= measured - 4,
                 qPrintable(QStringLiteral("ink up to %1 px, measured %2 px").arg(right).arg(measured)));
    }

    void missingFontFails() {
        QString error;
        QVERIFY(ResolveFontFamily(QStringLiteral("Arial"), &error) == QStringLiteral("Liberation Sans"));
        QVERIFY(ResolveFontFamily(QStringLiteral("No Such Font Family"), &error).isEmpty());
        QVERIFY(error.contains(QStringLiteral("No Such Font Family")));
        ReportTemplate t = listTemplate(10);
        t.title->texts[0].font.family = QStringLiteral("No Such Font Family");
        QVERIFY(!ReportEngine(t, {numbers(1)}).prepare());
    }
};

QTEST_MAIN(TestReportEngine)
#include "test_report_engine.moc"
