// The eight report pages against the real service with its demo data: opening a page runs its
// report, check boxes and pickers act at the next run, the names chosen show beside their
// buttons, the timed loaders say how long the query took, "Экспорт" exports the page's grid, and
// kovrel-cli grid prints the very cells the page shows.
#include "date_picker.h"
#include "form_load.h"
#include "grid_text_file.h"
#include "journal_page_of.h"
#include "main_window_test.h"
#include "prepared_table.h"
#include "rep_dolg_page.h"
#include "rep_move_good_page.h"
#include "rep_move_klient_page.h"
#include "rep_ost_page.h"
#include "rep_sale_st_page.h"
#include "screen_scale.h"
#include "session.h"
#include "sheet_reader.h"
#include "sheet_table.h"
#include "status_bar.h"
#include "string_grid.h"
#include "tag_list_box.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QUrl>

namespace {

QStringList row(const StringGrid* g, int r) {
    QStringList cells;
    for (int c = 0; c < g->ColCount(); ++c)
        cells << g->Cells(c, r);
    return cells;
}

// A counterparty of the demo data, found by name.
TRecKlient demoKlient(const QString& name, int kind) {
    RecordList<TRecKlient> L;
    TFormLoad fl;
    fl.SelectKlientList(L, name, kind);
    return L.empty() ? TRecKlient() : *L.front();
}

} // namespace

class TestReportPages : public MainWindowTest {
    Q_OBJECT

    // kovrel-cli grid for the demo administrator: the cells it prints.
    QList<QStringList> cliCells(const QString& operation, const QJsonObject& args) {
        QProcess p;
        p.start(QStringLiteral(KOVREL_CLI_PATH),
                {"--service", f.Service().BaseUrl(), "--login", DemoLogins::Admin, "--password",
                 DemoLogins::AdminPassword, "grid", operation,
                 QJsonDocument(args).toJson(QJsonDocument::Compact)});
        if (!p.waitForFinished(30000)) p.kill();
        const QJsonObject out = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
        QList<QStringList> cells;
        for (const QJsonValue& r : out.value(QStringLiteral("cells")).toArray()) {
            QStringList texts;
            for (const QJsonValue& t : r.toArray())
                texts << t.toString();
            cells << texts;
        }
        return cells;
    }

private Q_SLOTS:
    void openingEachPageRunsItsReport() {
        auto w = f.OpenAdmin();
        const QList<std::pair<int, QStringList>> headers{
            {1, {"", "Наименование", "Кол-во", "Прод. цена"}},
            {2, {"Дата", "Поставщик/покупатель", "Кол-во приход", "Кол-во расход", "Кол-во остаток"}},
            {3, {"", "Наименование", "Кол-во", "Прод.сумма"}},
            {4, {"", "Период", "Кол-во", "Прод.сумма"}},
            {5, {"", "Поставщик/покупатель/счет", "Долг (нам должны)", "Аванс (мы должны)"}},
            {6, {"Дата", "Операция", "Расход", "Приход", "Остаток"}},
            {7, {"", "Наименование", "Кол-во", "Закуп.сумма"}},
            {8, {"", "Период", "Кол-во", "Закуп.сумма"}},
        };
        for (const auto& [tag, header] : headers) {
            MainWindowFixture::ClickNav(w->LBoxRep, tag);
            const StringGrid* g = static_cast<TReportPage*>(w->CurrentPage())->Grid();
            QCOMPARE(row(g, 0), header);
            QCOMPARE(g->Cells(1, g->RowCount() - 1), QStringLiteral("Итого"));
            QVERIFY(w->SBarInfo->PanelText(1).startsWith(QStringLiteral("Ответ получен.")));
        }
        // The demo shop has stock, sales and purchases this month, and debts.
        for (TReportPage* page :
             {static_cast<TReportPage*>(w->TSRepOst), static_cast<TReportPage*>(w->TSRepSaleSt),
              static_cast<TReportPage*>(w->TSRepDolg)})
            QVERIFY2(page->Grid()->RowCount() > 2, qPrintable(page->objectName()));
    }

    void choicesActAtTheNextRun() {
        auto w = f.OpenAdmin();
        MainWindowFixture::ClickNav(w->LBoxRep, 1);
        StringGrid* g = w->TSRepOst->Grid();
        const QStringList before = row(g, 0);
        w->TSRepOst->CBoxKolPack->setChecked(true);
        QCOMPARE(row(g, 0), before);
        // A column the user widened keeps its width; the columns the report adds come anew.
        g->SetColWidths(1, 321);
        g->SetColWidths(3, 99);
        find<QPushButton>(*w, "ButRefRepOst")->click();
        QCOMPARE(row(g, 0),
                 (QStringList{"", "Наименование", "Кол-во", "Упаковка", "Кол-во упак.", "Прод. цена"}));
        QCOMPARE(g->ColWidths(1), 321);
        // The added columns come at the default width, or as wide as their heading needs.
        QList<int> widths{40, 321};
        for (int col = 2; col < g->ColCount(); ++col)
            widths << std::max(70, g->horizontalHeader()->sectionSizeHint(col));
        QCOMPARE(g->ColWidths(3), widths[3]);
        QCOMPARE(w->TSRepOst->GridNow().Widths, widths);
    }

    void chosenBuyerNarrowsTheSales() {
        auto w = f.OpenAdmin();
        MainWindowFixture::ClickNav(w->LBoxRep, 3);
        StringGrid* g = w->TSRepSaleSt->Grid();
        const int all = g->RowCount();
        const TRecKlient cafe = demoKlient(QStringLiteral("Кафе Уют"), 1);
        QVERIFY(cafe.ID > 0);
        WindowSeams().FormListKl = [&](QWidget*, TSelectionSlot& slot, int, bool) {
            slot.SelName = cafe.Name;
            slot.SelID = cafe.ID;
            slot.SelGr = 1;
            return 1;
        };
        find<QPushButton>(*w, "ButSelKlientRSS")->click();
        QCOMPARE(g->RowCount(), all); // choosing does not run the report
        find<QPushButton>(*w, "ButRefRSS")->click();
        QVERIFY2(g->RowCount() > 2 && g->RowCount() < all, qPrintable(QString::number(g->RowCount())));
    }

    void timedLoadersSayHowLongTheQueryTook() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        auto w = f.OpenAdmin();
        const QDateTime t1 = QDateTime::currentDateTime();
        for (auto [page, tag, ms, text] :
             {std::tuple<TReportPage*, int, int, const char*>{w->TSRepOst, 1, 1234, "1,234"},
              {w->TSRepDolg, 5, 2000, "2"}}) {
            QList<QDateTime> moments{t1, t1.addMSecs(ms)};
            page->Clock = [&moments] { return moments.takeFirst(); };
            MainWindowFixture::ClickNav(w->LBoxRep, tag);
            QCOMPARE(w->SBarInfo->PanelText(1), QStringLiteral("Ответ получен. Время запроса: ") +
                                                    QString::fromUtf8(text) + QStringLiteral(" сек."));
        }
        QCOMPARE(TReportPage::QueryTimeText(500), QStringLiteral("Ответ получен. Время запроса: 0,5 сек."));
        MainWindowFixture::ClickNav(w->LBoxRep, 3); // untimed
        QCOMPARE(w->SBarInfo->PanelText(1), QStringLiteral("Ответ получен."));
        QLocale::setDefault(QLocale::c());
    }

    // A query that fails is not shown: the grid keeps the report before, and the status bar says
    // why, without a query time and without a message box.
    void failedQueryKeepsTheGridAndSaysWhy() {
        auto w = f.OpenAdmin();
        MainWindowFixture::ClickNav(w->LBoxRep, 1);
        const QList<QStringList> shown = w->TSRepOst->GridNow().Rows;
        QVERIFY(shown.size() > 3);
        BaseURL = QStringLiteral("http://127.0.0.1:1");
        find<QPushButton>(*w, "ButRefRepOst")->click();
        QCOMPARE(w->TSRepOst->GridNow().Rows, shown);
        QCOMPARE(w->SBarInfo->PanelText(1),
                 QStringLiteral("Нет связи с сервером http://127.0.0.1:1: сервер не отвечает"));
        QVERIFY(f.Ui->infos.isEmpty());
    }

    // The menu's items export the grid it was opened on, with the widths the user dragged.
    void exportMenuWritesTheGridAsShown() {
        auto w = f.OpenAdmin();
        MainWindowFixture::ClickNav(w->LBoxRep, 1);
        StringGrid* g = w->TSRepOst->Grid();
        g->setColumnWidth(1, 250);
        emit g->customContextMenuRequested(QPoint(5, 5));
        w->PMenuExport->hide();
        const TReportGrid shown = w->TSRepOst->GridNow();
        QCOMPARE(shown.Widths[1], 250);

        QTemporaryDir dir;
        const QString text = dir.filePath(QStringLiteral("out.csv"));
        f.Ui->fileNames.enqueue(text);
        w->MenuExpCSV->trigger();
        QCOMPARE(f.Ui->saveProposals, QStringList{QStringLiteral("Kovrel (текст с разделителями).csv|csv")});
        QFile file(text);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), GridTextBytes(shown));

        qputenv("HOME", dir.path().toUtf8()); // the documents folder the workbook goes to
        w->MenuExpExcel->trigger();
        QCOMPARE(f.Ui->openedUrls.size(), 1);
        const QString book = QUrl(f.Ui->openedUrls[0]).toLocalFile();
        QVERIFY2(QFileInfo(book).fileName().startsWith(QStringLiteral("Остатки товаров ")), qPrintable(book));
        SheetTable table;
        QString error;
        QVERIFY2(ReadFirstSheet(book, table, error), qPrintable(error));
        QCOMPARE(table.Cell(1, 2), shown.Cells(1, 0));
        const double scale = ScreenScale(w->screen()->size());
        QVERIFY(qAbs(table.ColumnWidth(2) - WorkbookColumnWidth(250, scale)) < 0.1);
        QVERIFY(f.Ui->errors.isEmpty());
        QVERIFY(w->SBarInfo->PanelText(1).isEmpty());
    }

    // On the smallest screen the window is made for, a name chosen with a picker stands whole
    // beside the button it was chosen with; a longer one shows whole in the label's tooltip.
    void chosenNamesShowBesideTheirButtons() {
        auto w = f.OpenAdmin();
        w->resize(1024, 600);
        QString good;
        {
            RecordList<TRecGood> goods;
            TFormLoad fl;
            fl.SelectGoodList(goods, QString(), false);
            for (const auto& g : goods)
                if (good.isEmpty() || g->Name.size() < good.size()) good = g->Name;
        }
        const QString klient = demoKlient(QStringLiteral("Кафе Уют"), 1).Name;
        QVERIFY(!good.isEmpty() && !klient.isEmpty());
        WindowSeams().FormListGood = [&](QWidget*, TSelectionSlot& slot, const TListGoodArgs&) {
            slot.SelName = good;
            slot.SelID = 1;
            return 1;
        };
        WindowSeams().FormListKl = [&](QWidget*, TSelectionSlot& slot, int, bool) {
            slot.SelName = klient;
            slot.SelID = 1;
            slot.SelGr = 1;
            return 1;
        };
        const QList<std::tuple<int, const char*, const char*, QString>> pickers{
            {2, "ButSelGoodRMG", "LabGoodRMG", good},       {3, "ButSelKlientRSS", "LabKlientRSS", klient},
            {4, "ButSelKlientRSD", "LabKlientRSD", klient}, {6, "ButSelKlientRMK", "LabKlientRMK", klient},
            {7, "ButSelKlientRPS", "LabKlientRPS", klient}, {8, "ButSelKlientRPD", "LabKlientRPD", klient},
        };
        for (const auto& [tag, button, label, name] : pickers) {
            MainWindowFixture::ClickNav(w->LBoxRep, tag);
            QPushButton* b = find<QPushButton>(*w, button);
            QLabel* l = find<QLabel>(*w, label);
            QCOMPARE(l->text(), QString());
            b->click();
            QCOMPARE(l->text(), name);
            QCOMPARE(l->toolTip(), name);
            QVERIFY2(l->isVisible(), label);
            const QRect at = l->geometry();
            QVERIFY2(at.left() > b->geometry().right() && at.top() < b->geometry().bottom() &&
                         at.bottom() > b->geometry().top(),
                     label);
            QVERIFY2(
                l->contentsRect().width() >= l->fontMetrics().horizontalAdvance(name),
                qPrintable(QStringLiteral("%1 is %2 px wide for %3").arg(label).arg(at.width()).arg(name)));
            QVERIFY2(QRect(QPoint(), l->parentWidget()->size()).contains(at), label);
        }
    }

    // "Экспорт" stands beside "Печать" on every report page and opens the grid's export menu
    // for that page's grid.
    void exportButtonOpensTheGridsMenuForItsPage() {
        auto w = f.OpenAdmin();
        for (int tag = 1; tag <= 8; ++tag) {
            MainWindowFixture::ClickNav(w->LBoxRep, tag);
            auto* page = static_cast<TReportPage*>(w->CurrentPage());
            QPushButton* print = nullptr;
            QPushButton* exp = nullptr;
            for (QPushButton* b : page->findChildren<QPushButton*>()) {
                if (b->objectName().startsWith(QLatin1String("ButPrint"))) print = b;
                if (b->objectName().startsWith(QLatin1String("ButExport"))) exp = b;
            }
            QVERIFY2(print && exp, qPrintable(page->objectName()));
            QCOMPARE(exp->objectName().mid(9), print->objectName().mid(8));
            QCOMPARE(exp->text(), QStringLiteral("Экспорт"));
            QCOMPARE(exp->y(), print->y());
            QVERIFY(exp->x() > print->geometry().right());
            exp->click();
            QVERIFY(w->PMenuExport->isVisible());
            QCOMPARE(w->PopupPage(), page);
            QStringList texts;
            for (const QAction* a : w->PMenuExport->actions())
                texts << a->text();
            QCOMPARE(texts,
                     (QStringList{"Экспорт в Excel", "Экспорт в Calc", "Экспорт в текстовый файл (csv)"}));
            w->PMenuExport->hide();
        }
        // The menu opened last on the stock report's grid; the debts page's button turns it to
        // the debts.
        emit w->TSRepOst->Grid()->customContextMenuRequested(QPoint(5, 5));
        w->PMenuExport->hide();
        MainWindowFixture::ClickNav(w->LBoxRep, 5);
        find<QPushButton>(*w, "ButExportRepDolg")->click();
        QTemporaryDir dir;
        const QString text = dir.filePath(QStringLiteral("debts.csv"));
        f.Ui->fileNames.enqueue(text);
        w->PMenuExport->actions().at(2)->trigger();
        QFile file(text);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), GridTextBytes(w->TSRepDolg->GridNow()));
        QVERIFY(w->TSRepDolg->GridNow().RowCount() > 2);
    }

    void cliPrintsTheCellsThePageShows() {
        auto w = f.OpenAdmin();
        MainWindowFixture::ClickNav(w->LBoxRep, 1);
        QComboBox* stores = w->TSRepOst->ComBoxStore;
        stores->setCurrentIndex(1);
        w->TSRepOst->CBoxSum->setChecked(true);
        w->TSRepOst->CBoxCen->setChecked(false);
        find<QPushButton>(*w, "ButRefRepOst")->click();
        QCOMPARE(
            cliCells("RunRepOst",
                     {{"CodeStore", stores->currentData().toInt()}, {"CBoxSum", true}, {"CBoxCen", false}}),
            w->TSRepOst->GridNow().Rows);

        const TRecKlient bank = demoKlient(QString(), 2);
        WindowSeams().FormListKl = [&](QWidget*, TSelectionSlot& slot, int, bool) {
            slot.SelName = bank.Name;
            slot.SelID = bank.ID;
            slot.SelGr = 2;
            return 1;
        };
        TRepMoveKlientPage* card = w->TSRepMoveKlient;
        MainWindowFixture::ClickNav(w->LBoxRep, 6);
        find<QPushButton>(*w, "ButSelKlientRMK")->click();
        find<QPushButton>(*w, "ButRefRepMoveKlient")->click();
        QVERIFY(card->Grid()->RowCount() > 3);
        const auto day = [](TDatePicker* p) { return kovrel::DateOf(p->Date()).toString(Qt::ISODate); };
        QCOMPARE(cliCells("RunRepMoveKl", {{"ID", bank.ID},
                                           {"BeginDat", day(card->DTPBeginRMK)},
                                           {"EndDat", day(card->DTPEndRMK)},
                                           {"SelKlientGr", 2}}),
                 card->GridNow().Rows);
    }
};

QTEST_MAIN(TestReportPages)
#include "test_report_pages.moc"
