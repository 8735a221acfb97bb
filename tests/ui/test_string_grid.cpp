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
