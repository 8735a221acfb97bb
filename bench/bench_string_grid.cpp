// How the string grid copes with a catalog of 100 000 entries: filling it as a page loader
// does, drawing it, jumping to the end, sorting it by a column heading, and filling it again.
// Prints milliseconds per step.
#include "string_grid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTextStream>

namespace {

constexpr int kRows = 100000;

void fill(StringGrid& g, int rows, bool batched) {
    if (batched) g.BeginUpdate();
    g.SetRowCount(rows + 1);
    g.SetFixedRows(1);
    g.SetRowTexts(0, {QString(), QStringLiteral("Наименование"), QStringLiteral("Цена"),
                      QStringLiteral("Закуп.цена"), QStringLiteral("Упаковка")});
    for (int r = 1; r <= rows; ++r)
        g.SetRowTexts(r, {QString::number(r), QStringLiteral("Товар номер %1").arg(r),
                          QStringLiteral("%1.50").arg(r * 37 % 1000), QStringLiteral("10.00"),
                          QStringLiteral("12")});
    if (batched) g.EndUpdate();
}

template <class Step>
double ms(Step step) {
    QElapsedTimer t;
    t.start();
    step();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    StringGrid g;
    g.SetColCount(5);
    g.SetFixedCols(1);
    g.resize(900, 600);
    g.show();
    QApplication::processEvents();

    out << "rows: " << kRows << ", columns: 5\n";
    out << "fill (one update):        " << ms([&] { fill(g, kRows, true); }) << " ms\n";
    out << "first paint:              " << ms([&] { g.grab(); }) << " ms\n";
    out << "jump to last row + paint: " << ms([&] {
        g.SetRow(kRows);
        g.verticalScrollBar()->setValue(g.verticalScrollBar()->maximum());
        g.grab();
    }) << " ms\n";
    g.SetSortable(true);
    out << "sort by name:             " << ms([&] {
        g.SortByColumn(1, Qt::AscendingOrder);
        g.grab();
    }) << " ms\n";
    out << "sort by price, reverse:   " << ms([&] {
        g.SortByColumn(2, Qt::DescendingOrder);
        g.grab();
    }) << " ms\n";
    out << "sort by equal values:     " << ms([&] {
        g.SortByColumn(3, Qt::AscendingOrder);
        g.grab();
    }) << " ms\n";
    out << "refill (one update):      " << ms([&] { fill(g, kRows, true); }) << " ms\n";
    out << "refill (cell by cell):    " << ms([&] { fill(g, kRows, false); }) << " ms\n";
    out << "empty result:             " << ms([&] {
        g.SetRowCount(1);
        g.SetFixedRows(0);
        g.grab();
    }) << " ms\n";
    return 0;
}
