// The export menu of the report grids: one popup menu of the main window, opened with the right
// mouse button on any of the eight report grids or with the page's "Экспорт" button, and acting
// on the grid of the page it was opened on.
#include "calc_module.h"
#include "grid_export.h"
#include "main_f.h"
#include "report_page.h"
#include "screen_scale.h"
#include "status_bar.h"
#include "string_grid.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>

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
    connect(MenuExpExcel, &QAction::triggered, this, &TMainF::MenuExpExcelClick);
    connect(MenuExpCalc, &QAction::triggered, this, &TMainF::MenuExpCalcClick);
    connect(MenuExpCSV, &QAction::triggered, this, &TMainF::MenuExpCSVClick);

    for (TReportPage* page : reportPages()) {
        StringGrid* grid = page->Grid();
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this, [this, page, grid](const QPoint& pos) {
            m_popupPage = page;
            PMenuExport->popup(grid->viewport()->mapToGlobal(pos));
        });
        connect(page, &TReportPage::ExportMenuRequested, this, [this, page](const QPoint& at) {
            m_popupPage = page;
            PMenuExport->popup(at);
        });
    }
}

void TMainF::MenuExpExcelClick() {
    if (!m_popupPage) return;
    ExportGridToExcel(m_popupPage->GridNow(), exportTitle(), ScreenScale(screen()->size()), DocumentsFolder(),
                      [this](int done, int total) { exportProgress(done, total); });
    SBarInfo->Panel(1)->clear();
}

void TMainF::MenuExpCalcClick() {
    if (!m_popupPage) return;
    SBarInfo->Panel(1)->setText(QStringLiteral("Экспорт в Calc ..."));
    SBarInfo->repaint();
    ExportGridToCalc(m_popupPage->GridNow(), ScreenScale(screen()->size()), CalcModule(),
                     [this](int done, int total) { exportProgress(done, total); });
    SBarInfo->Panel(1)->clear();
}

void TMainF::MenuExpCSVClick() {
    if (!m_popupPage) return;
    ExportGridToText(m_popupPage->GridNow(), windowTitle(),
                     [this](int done, int total) { exportProgress(done, total); });
    SBarInfo->Panel(1)->clear();
}

void TMainF::exportProgress(int done, int total) {
    SBarInfo->Panel(1)->setText(QStringLiteral("Экспорт: %1 %").arg(total ? done * 100LL / total : 100));
    SBarInfo->repaint();
    // Paint what waits to be painted; clicks and keys wait until the export is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// The report's name in the navigation list, which lists the reports in the order of reportPages().
QString TMainF::exportTitle() const {
    const qsizetype index = reportPages().indexOf(m_popupPage);
    return index >= 0 && index < static_cast<qsizetype>(m_repItems.size()) ? m_repItems[index].text
                                                                           : QStringLiteral("Отчет");
}
