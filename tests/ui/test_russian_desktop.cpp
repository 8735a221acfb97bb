// The program on a Russian desktop, run under ru_RU.UTF-8 as well as C.UTF-8: numbers written
// for machines keep the C locale's form whatever the locale (the workbook from the stock page,
// the workbook, CSV and JSON of kovrel-cli), and Qt's own dialogs speak Russian.
#include "desktop_start.h"
#include "grid_cell_value.h"
#include "main_window_test.h"
#include "rep_ost_page.h"
#include "screen_scale.h"
#include "session.h"
#include "sheet_reader.h"
#include "sheet_table.h"
#include "string_grid.h"
#include "tag_list_box.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QUrl>

#include <clocale>

namespace {

// Every cell of the grid against the sheet read back: a number of the program's formats as the
// same number, any other text as itself.
void sameCells(const TReportGrid& grid, const SheetTable& sheet) {
    QCOMPARE(sheet.RowCount(), grid.RowCount());
    int numbers = 0;
    for (int r = 0; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c) {
            const QString text = grid.Cells(c, r);
            const QString cell = sheet.Cell(r + 1, c + 1);
            if (const auto n = ProgramNumber(text)) {
                bool ok = false;
                QCOMPARE(cell.toDouble(&ok), n->value);
                QVERIFY2(ok, qPrintable(cell));
                ++numbers;
            } else {
                QCOMPARE(cell, text);
            }
        }
    QVERIFY(numbers > 10);
}

// kovrel-cli under a Russian locale whatever this test runs under.
QByteArray russianCli(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("ru_RU.UTF-8"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KOVREL_CLI_PATH),
            QStringList{QStringLiteral("--service"), BaseURL, QStringLiteral("--login"), DemoLogins::Admin,
                        QStringLiteral("--password"), DemoLogins::AdminPassword} +
                args);
    if (!p.waitForFinished(60000)) p.kill();
    if (p.exitCode() != 0) qWarning("kovrel-cli: %s", p.readAllStandardError().constData());
    return p.readAllStandardOutput();
}

QStringList buttonTexts(const QWidget* dialog) {
    QStringList texts;
    for (const QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->isVisibleTo(dialog)) texts << b->text().remove(QLatin1Char('&'));
    texts.sort();
    return texts;
}

} // namespace

class TestRussianDesktop : public MainWindowTest {
    Q_OBJECT

private Q_SLOTS:
    // "Экспорт в Excel" on the stock page with prices of kopecks: the workbook reads back with
    // every number and every column width, even where the C library writes "136,01".
    void theStockPagesWorkbookKeepsEveryNumber() {
        std::setlocale(LC_NUMERIC, ""); // as the toolkit leaves it: the locale of the environment
        auto w = f.OpenAdmin();
        MainWindowFixture::ClickNav(w->LBoxRep, 1);
        w->TSRepOst->CBoxZCen->setChecked(true);
        w->TSRepOst->CBoxSum->setChecked(true);
        find<QPushButton>(*w, "ButRefRepOst")->click();
        const TReportGrid shown = w->TSRepOst->GridNow();
        QTemporaryDir home;
        qputenv("HOME", home.path().toUtf8()); // the documents folder the workbook goes to
        emit w->TSRepOst->Grid()->customContextMenuRequested(QPoint(5, 5));
        w->PMenuExport->hide();
        w->MenuExpExcel->trigger();
        QCOMPARE(f.Ui->openedUrls.size(), 1);
        SheetTable sheet;
        QString error;
        QVERIFY2(ReadFirstSheet(QUrl(f.Ui->openedUrls[0]).toLocalFile(), sheet, error), qPrintable(error));
        sameCells(shown, sheet);
        const double scale = ScreenScale(w->screen()->size());
        for (int c = 0; c < shown.ColCount(); ++c)
            QVERIFY(qAbs(sheet.ColumnWidth(c + 1) - WorkbookColumnWidth(shown.Widths[c], scale)) < 0.1);
    }

    // The same report from kovrel-cli under a Russian locale: its workbook reads back whole, its
    // CSV and JSON numbers have the decimal point.
    void theCliWritesNumbersForMachines() {
        const QJsonObject grid =
            QJsonDocument::fromJson(russianCli({"grid", "RunRepOst", R"({"CBoxSum": true})"})).object();
        TReportGrid shown;
        for (const QJsonValue& width : grid.value(QStringLiteral("widths")).toArray())
            shown.Widths << width.toInt();
        for (const QJsonValue& row : grid.value(QStringLiteral("cells")).toArray())
            shown.Rows << row.toVariant().toStringList();
        QVERIFY(shown.RowCount() > 2);
        QTemporaryDir dir;
        const QString book = dir.filePath(QStringLiteral("остатки.xlsx"));
        russianCli({"export", "RunRepOst", R"({"CBoxSum": true})", "--xlsx", book});
        SheetTable sheet;
        QString error;
        QVERIFY2(ReadFirstSheet(book, sheet, error), qPrintable(error));
        sameCells(shown, sheet);

        const QList<QByteArray> csv =
            russianCli({"--format", "csv", "call", "SelectGoodList", R"({"SelName": ""})"}).split('\n');
        const qsizetype price = csv[0].split(',').indexOf("PCen");
        QVERIFY(price > 0);
        QVERIFY(csv[1].split(',').value(price).contains('.'));
        const QJsonDocument json =
            QJsonDocument::fromJson(russianCli({"call", "SelectGoodList", R"({"SelName": ""})"}));
        const QJsonArray goods = json.object().value(QStringLiteral("L")).toArray();
        QVERIFY(!goods.isEmpty());
        QVERIFY(goods[0].toObject().value(QStringLiteral("PCen")).toDouble() > 0);
    }

    // The start of the desktop program: machine numbers in the C form, and Qt's own dialogs
    // and standard buttons in Russian.
    void qtsOwnDialogsSpeakRussian() {
        PrepareDesktop();
        QCOMPARE(QByteArray(std::setlocale(LC_NUMERIC, nullptr)), QByteArray("C"));

        QMessageBox box(QMessageBox::Question, QStringLiteral("Вопрос"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
        QCOMPARE(buttonTexts(&box), (QStringList{"OK", "Да", "Нет", "Отмена"})); // Qt's Russian keeps "OK"

        QFileDialog files(nullptr, QStringLiteral("Открыть"));
        files.setOption(QFileDialog::DontUseNativeDialog);
        QCOMPARE(buttonTexts(files.findChild<QDialogButtonBox*>()), (QStringList{"Открыть", "Отмена"}));
        files.setAcceptMode(QFileDialog::AcceptSave);
        QCOMPARE(buttonTexts(files.findChild<QDialogButtonBox*>()), (QStringList{"Отмена", "Сохранить"}));

        QPrinter printer;
        QPrintDialog print(&printer);
        QVERIFY2(buttonTexts(&print).contains(QStringLiteral("Печать")),
                 qPrintable(buttonTexts(&print).join('|')));
        QVERIFY(buttonTexts(&print).contains(QStringLiteral("Отмена")));
        QPageSetupDialog setup(&printer);
        QCOMPARE(setup.windowTitle(), QStringLiteral("Параметры страницы"));
        QVERIFY(buttonTexts(&setup).contains(QStringLiteral("Отмена")));
        FinishDesktop();
    }
};

QTEST_MAIN(TestRussianDesktop)
#include "test_russian_desktop.moc"
