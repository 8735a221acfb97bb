#include "string_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

namespace {

// Rows of texts as a loader writes them: header row, then numbered rows.
void fill(StringGrid& g, int rows) {
    StringGrid::UpdateLock lock(g);
    g.SetRowCount(rows + 1);
    g.SetFixedRows(rows > 0 ? 1 : 0);
    g.SetRowTexts(0, {QString(), QStringLiteral("Наименование")});
    for (int r = 1; r <= rows; ++r)
        g.SetRowTexts(r, {QString::number(r), QStringLiteral("name %1").arg(r)});
}

// A journal's rows as loaded: number, date, buyer, sum, debt (empty when paid).
const QList<QStringList> kJournal = {
    {QStringLiteral("1"), QStringLiteral("07"), QStringLiteral("03.02.25"), QStringLiteral("ёлка"),
     QStringLiteral("100.00"), QString()},
    {QStringLiteral("2"), QStringLiteral("12"), QStringLiteral("28.01.25"), QStringLiteral("Арбуз"),
     QStringLiteral("9.50"), QStringLiteral("-3.00")},
    {QStringLiteral("3"), QStringLiteral("9"), QStringLiteral("03.02.25"), QStringLiteral("банк"),
     QStringLiteral("100.00"), QStringLiteral("5.00")},
    {QStringLiteral("4"), QStringLiteral("110"), QStringLiteral("15.12.24"), QStringLiteral("Ель"),
     QStringLiteral("1000.00"), QString()},
    {QStringLiteral("5"), QStringLiteral("8"), QStringLiteral("01.03.25"), QStringLiteral("арбуз"),
     QStringLiteral("100.00"), QStringLiteral("20.00")},
};

void fillJournal(StringGrid& g) {
    StringGrid::UpdateLock lock(g);
    g.SetSortable(true);
    g.ClearSort();
    g.SetColCount(6);
    g.SetFixedCols(1);
    g.SetRowCount(static_cast<int>(kJournal.size()) + 1);
    g.SetFixedRows(1);
    g.SetRowTexts(0, {QString(), QStringLiteral("Номер"), QStringLiteral("Дата"),
                      QStringLiteral("Покупатель"), QStringLiteral("Сумма"), QStringLiteral("Долг")});
    for (int r = 0; r < kJournal.size(); ++r)
        g.SetRowTexts(r + 1, kJournal[r]);
}

// The rows as shown, by their running numbers (column 0).
QString shownOrder(const StringGrid& g) {
    QStringList numbers;
    for (int r = g.FixedRows(); r < g.RowCount(); ++r)
        numbers << g.Cells(0, r);
    return numbers.join(QLatin1Char(' '));
}

void clickHeading(StringGrid& g, int col) {
    QHeaderView* h = g.horizontalHeader();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                      QPoint(h->sectionViewportPosition(col) + h->sectionSize(col) / 2, h->height() / 2));
}

QPoint cellCenter(StringGrid& g, int col, int row) {
    const QModelIndex i = g.model()->index(row - g.FixedRows(), col);
    return g.visualRect(i).center();
}

} // namespace

class TestStringGrid : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fixedRowIsTheHeaderAndOtherRowsScroll() {
        StringGrid g;
        g.SetColCount(2);
        fill(g, 3);
        QCOMPARE(g.RowCount(), 4);
        QCOMPARE(g.FixedRows(), 1);
        QCOMPARE(g.model()->rowCount(), 3);
        QVERIFY(!g.horizontalHeader()->isHidden());
        QCOMPARE(g.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Наименование"));
        QCOMPARE(g.model()->index(0, 1).data().toString(), QStringLiteral("name 1"));
        QCOMPARE(g.Cells(1, 3), QStringLiteral("name 3"));
        QCOMPARE(g.Cells(1, 4), QString()); // beyond the last row
        QCOMPARE(g.Cells(7, 1), QString()); // beyond the last column
    }

    void withoutFixedRowTheHeaderTextsAreAnOrdinaryRow() {
        StringGrid g;
        g.SetColCount(2);
        fill(g, 2);
        fill(g, 0);
        QCOMPARE(g.RowCount(), 1);
        QCOMPARE(g.FixedRows(), 0);
        QVERIFY(g.horizontalHeader()->isHidden());
        QCOMPARE(g.model()->rowCount(), 1);
        QCOMPARE(g.model()->index(0, 1).data().toString(), QStringLiteral("Наименование"));
        QCOMPARE(g.Row(), 0);
        // The fixed rows always leave one row that scrolls.
        g.SetFixedRows(1);
        QCOMPARE(g.FixedRows(), 0);
    }

    void shrinkingRowsLowersTheFixedRowsAndDropsTheirTexts() {
        StringGrid g;
        g.SetColCount(3);
        g.SetRowCount(3);
        g.SetFixedRows(1);
        g.SetCells(2, 2, QStringLiteral("x"));
        g.SetRowCount(1);
        QCOMPARE(g.FixedRows(), 0);
        g.SetRowCount(3);
        QCOMPARE(g.Cells(2, 2), QString());
        g.SetColCount(2);
        g.SetCells(1, 1, QStringLiteral("y"));
        g.SetColCount(3);
        QCOMPARE(g.Cells(1, 1), QStringLiteral("y"));
        g.SetCells(5, 1, QStringLiteral("outside"));
        QCOMPARE(g.Cells(5, 1), QString());
    }

    void currentRowSurvivesReloadsWhileItExists() {
        StringGrid g;
        g.SetColCount(2);
        g.SetFixedCols(1);
        fill(g, 10);
        QCOMPARE(g.Row(), 1); // the first scrolling row, first scrolling column
        QCOMPARE(g.Col(), 1);
        g.SetRow(7);
        fill(g, 10);
        QCOMPARE(g.Row(), 7);
        fill(g, 4);
        QCOMPARE(g.Row(), 4);
        fill(g, 0);
        QCOMPARE(g.Row(), 0);
        fill(g, 5);
        QCOMPARE(g.Row(), 1);
    }

    void fixedColumnNeverBecomesCurrent() {
        StringGrid g;
        g.SetColCount(3);
        g.SetFixedCols(1);
        fill(g, 5);
        g.resize(400, 300);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cellCenter(g, 2, 2));
        QCOMPARE(g.Row(), 2);
        QCOMPARE(g.Col(), 2);
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cellCenter(g, 0, 4));
        QCOMPARE(g.Row(), 4);
        QCOMPARE(g.Col(), 2);
        QVERIFY(!(g.model()->flags(g.model()->index(0, 0)) & Qt::ItemIsSelectable));
    }

    void doubleClickOnACellIsReported() {
        StringGrid g;
        g.SetColCount(2);
        fill(g, 3);
        g.resize(300, 200);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QSignalSpy spy(&g, &StringGrid::DblClick);
        // A double click is a press after a click on the same cell.
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cellCenter(g, 1, 2));
        QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, cellCenter(g, 1, 2));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(g.Row(), 2);
    }

    void columnWidthsStayUntilTheColumnGoes() {
        StringGrid g;
        g.SetDefaultColWidth(70);
        g.SetColCount(2);
        g.SetColWidthsList({40, 250});
        g.horizontalHeader()->resizeSection(1, 123); // as if dragged
        fill(g, 3);
        g.SetColCount(4);
        QCOMPARE(g.ColWidths(0), 40);
        QCOMPARE(g.ColWidths(1), 123);
        QCOMPARE(g.ColWidths(3), 70);
        g.SetColWidths(3, 90);
        g.SetColCount(2);
        g.SetColCount(4);
        QCOMPARE(g.ColWidths(3), 70);
        QCOMPARE(g.horizontalHeader()->sectionResizeMode(1), QHeaderView::Interactive);
    }

    void writesInsideAnUpdateAreAnnouncedOnce() {
        StringGrid g;
        g.SetColCount(2);
        g.SetRowCount(3);
        g.SetFixedRows(1);
        QSignalSpy changed(g.model(), &QAbstractItemModel::dataChanged);
        {
            StringGrid::UpdateLock lock(g);
            for (int r = 1; r < 3; ++r)
                g.SetCells(1, r, QStringLiteral("v"));
        }
        QCOMPARE(changed.count(), 1);
        g.SetCells(1, 1, QStringLiteral("w"));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(g.model()->index(0, 1).data().toString(), QStringLiteral("w"));
    }

    // Numbers by value (9 before 12 before 110), dates as dates across the year's end, names by
    // the Russian collation ignoring case (not by code: "Арбуз" and "арбуз" are equal, "ёлка"
    // comes before "Ель"); empty cells first; equal values keep the loaded order both ways;
    // every row stays.
    void headingClickSortsByNumbersDatesAndNamesKeepingEqualRows() {
        StringGrid g;
        fillJournal(g);
        g.resize(600, 300);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QVERIFY(g.horizontalHeader()->sectionsClickable());
        const struct {
            int col;
            QString ascending;
            QString descending;
        } cases[] = {
            {1, QStringLiteral("1 5 3 2 4"), QStringLiteral("4 2 3 5 1")},
            {2, QStringLiteral("4 2 1 3 5"), QStringLiteral("5 1 3 2 4")},
            {3, QStringLiteral("2 5 3 1 4"), QStringLiteral("4 1 3 2 5")},
            {4, QStringLiteral("2 1 3 5 4"), QStringLiteral("4 1 3 5 2")},
            {5, QStringLiteral("1 4 2 3 5"), QStringLiteral("5 3 2 1 4")},
        };
        for (const auto& c : cases) {
            clickHeading(g, c.col);
            QCOMPARE(shownOrder(g), c.ascending);
            QCOMPARE(g.SortColumn(), c.col);
            QCOMPARE(g.horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
            clickHeading(g, c.col);
            QCOMPARE(shownOrder(g), c.descending);
            QCOMPARE(g.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        }
        // Cells follow their rows, and each shown row knows the row it was loaded as.
        QCOMPARE(g.Cells(3, 1), QStringLiteral("арбуз"));
        QCOMPARE(g.LoadedRow(1), 5);
        QCOMPARE(g.model()->index(0, 3).data().toString(), QStringLiteral("арбуз"));
    }

    void currentRowStaysOnItsRowAndTheNextLoadRestoresTheOrder() {
        StringGrid g;
        fillJournal(g);
        g.SetRow(4); // "Ель", loaded fourth
        g.SortByColumn(4, Qt::DescendingOrder);
        QCOMPARE(g.Row(), 1);
        QCOMPARE(g.LoadedRow(g.Row()), 4);
        QCOMPARE(g.Cells(3, g.Row()), QStringLiteral("Ель"));
        // Reports do not sort: a grid that was not made sortable ignores heading clicks.
        StringGrid report;
        report.SetColCount(2);
        fill(report, 3);
        QVERIFY(!report.horizontalHeader()->sectionsClickable());

        fillJournal(g);
        QCOMPARE(shownOrder(g), QStringLiteral("1 2 3 4 5"));
        QCOMPARE(g.SortColumn(), -1);
        QVERIFY(!g.horizontalHeader()->isSortIndicatorShown());
        QCOMPARE(g.LoadedRow(2), 2);
        // A change of shape also returns to the loaded order.
        g.SortByColumn(3, Qt::AscendingOrder);
        g.SetRowCount(3);
        QCOMPARE(shownOrder(g), QStringLiteral("1 2"));
    }

    void cellsAreNotEditable() {
        StringGrid g;
        g.SetColCount(2);
        fill(g, 2);
        QCOMPARE(g.editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!(g.model()->flags(g.model()->index(0, 1)) & Qt::ItemIsEditable));
        QCOMPARE(g.selectionBehavior(), QAbstractItemView::SelectItems);
    }
};

QTEST_MAIN(TestStringGrid)
#include "test_string_grid.moc"
