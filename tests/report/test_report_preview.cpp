// The preview window offscreen: it opens at 100 % under the report's name, moves between pages,
// finds text, exports the PDF (proposed and titled by that name) through the file dialog and
// lays the report out again after a page setup.
#include "format_settings.h"
#include "report_grids.h"
#include "report_preview.h"
#include "report_print.h"
#include "scripted_interaction.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestReportPreview : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { BuildFormatSettings(); }

    void browseFindExportAndSetUp() {
        ScriptedInteraction::State& user = ScriptedInteraction::Install();
        const TReportGrid grid = StockGrid(150);
        ReportControls controls;
        controls.set(QStringLiteral("ComBoxStore"), QStringLiteral("(все)"));
        const ReportPrint::Kind kind = ReportPrint::Ost;
        PrepareResult prepared = ReportPrint::prepare(kind, grid, controls);
        QVERIFY(prepared);
        const int pages = int(prepared.report->pages.size());
        ReportPreview preview(*prepared.report, ReportPageSetup{}, [&](const ReportPageSetup& page) {
            return ReportPrint::prepare(kind, grid, controls, page);
        });
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QCOMPARE(qRound(preview.zoomPercent()), 100);
        QCOMPARE(preview.currentPage(), 1);

        preview.goToPage(pages);
        QCOMPARE(preview.currentPage(), pages);
        preview.goToPage(pages + 5);
        QCOMPARE(preview.currentPage(), pages);

        preview.goToPage(1);
        QVERIFY(preview.findNext(QStringLiteral("Товар 120")));
        const int found = preview.currentPage();
        QVERIFY(found > 1);
        QVERIFY(preview.report().pageLines(found - 1).contains(QStringLiteral("Товар 120")));
        QVERIFY(!preview.findNext(QStringLiteral("нет такого текста")));

        // People see what the report is called, never its template's name.
        QCOMPARE(preview.windowTitle(), QStringLiteral("Предварительный просмотр - Остатки товаров"));
        QTemporaryDir dir;
        user.fileNames.enqueue(dir.filePath(QStringLiteral("ost.pdf")));
        preview.exportPdf();
        QCOMPARE(user.saveProposals, QStringList{QStringLiteral("Остатки товаров.pdf|pdf")});
        QVERIFY(QFile(dir.filePath(QStringLiteral("ost.pdf"))).size() > 0);
        QVERIFY(user.infos.isEmpty());
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {dir.filePath(QStringLiteral("ost.pdf"))});
        QVERIFY(info.waitForFinished());
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression(QStringLiteral("Title: +Остатки товаров\n"))));

        ReportPageSetup landscape;
        landscape.landscape = true;
        QVERIFY(preview.applyPageSetup(landscape));
        QCOMPARE(preview.report().pages.first().size, QSizeF(297, 210));
        QVERIFY(preview.report().pages.size() > pages);
        ScriptedInteraction::Uninstall();
    }
};

QTEST_MAIN(TestReportPreview)
#include "test_report_preview.moc"
