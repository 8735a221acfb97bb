// The export menu of the report grids: one popup menu of the main window, opened with the right
// mouse button on any of the eight report grids and acting on the grid it was opened on.
#include "main_f.h"
#include "report_page.h"
#include "string_grid.h"

#include <QMenu>

namespace {

QAction* addItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

void TMainF::buildExportMenu() {
    PMenuExport = new QMenu(this);
    PMenuExport->setObjectName(QStringLiteral("PMenuExport"));
    MenuExpExcel = addItem(PMenuExport, "MenuExpExcel", QStringLiteral("Экспорт в Excel"));
    MenuExpCalc = addItem(PMenuExport, "MenuExpCalc", QStringLiteral("Экспорт в Calc"));
    MenuExpCSV = addItem(PMenuExport, "MenuExpCSV", QStringLiteral("Экспорт в текстовый файл (csv)"));
    // The exports themselves are not part of the program yet.
    for (QAction* item : PMenuExport->actions())
        item->setEnabled(false);

    for (TReportPage* page : reportPages()) {
        StringGrid* grid = page->Grid();
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this, [this, page, grid](const QPoint& pos) {
            m_popupPage = page;
            PMenuExport->popup(grid->viewport()->mapToGlobal(pos));
        });
    }
}
