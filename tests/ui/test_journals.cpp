// The document journals against the real service, each test in a shop of its own: order and
// store filter, the "Долг" column, deletion with its rights, locks, question and stock rule,
// payments through the real money editor.
#include "date_picker.h"
#include "date_time.h"
#include "form_edit_money.h"
#include "journal_shop_test.h"
#include "modal_script.h"
#include "remove_doc.h"
#include "right_codes.h"
#include "server_wait.h"
#include "status_bar.h"
#include "string_grid.h"
#include "tag_list_box.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using Kind = JournalShop::Kind;
const QString kDenied = QStringLiteral("Доступ запрещен. ");

// Days of a month long past, so that nothing else of the shop falls into the journals' period.
QDate march(int day) {
    return QDate(2024, 3, day);
}

// Every data row of a grid, its cells joined by "|" (column 0, the row number, included).
QStringList rows(StringGrid* g) {
    QStringList out;
    for (int r = g->FixedRows(); r < g->RowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < g->ColCount(); ++c)
            cells << g->Cells(c, r);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

// The grid row of a document number, or -1.
int rowOf(StringGrid* g, int id) {
    for (int r = g->FixedRows(); r < g->RowCount(); ++r)
        if (g->Cells(1, r) == QString::number(id)) return r;
    return -1;
}

// The designed widths, or more where a column's heading needs it.
QList<int> designed(const StringGrid* g, QList<int> widths) {
    for (int col = 0; col < widths.size(); ++col)
        if (!g->Cells(col, 0).isEmpty())
            widths[col] = std::max(widths[col], g->horizontalHeader()->sectionSizeHint(col));
    return widths;
}

int tagOf(const QString& kind) {
    static const QMap<QString, int> tags = {{QStringLiteral("Prh"), 1},
                                            {QStringLiteral("Nkl"), 2},
                                            {QStringLiteral("Invoice"), 5},
                                            {QStringLiteral("Vnk"), 3},
                                            {QStringLiteral("Money"), 4}};
    return tags.value(kind);
}

} // namespace

class TestJournals : public JournalShopTest {
    Q_OBJECT

    // Opens a journal through the navigation and shows the period [from, to].
    StringGrid* journal(TMainF& w, const QString& kind, const QDate& from = march(1),
                        const QDate& to = QDate(2024, 4, 1)) {
        MainWindowFixture::ClickNav(w.LBoxDoc, tagOf(kind));
        const QByteArray b = ("DTPBegin" + kind).toLatin1(), e = ("DTPEnd" + kind).toLatin1();
        find<TDatePicker>(w, b.constData())->setDate(from);
        find<TDatePicker>(w, e.constData())->setDate(to);
        click(w, "ButRef", kind);
        const QByteArray g = ("SG" + kind).toLatin1();
        return find<StringGrid>(w, g.constData());
    }
    void click(TMainF& w, const char* button, const QString& kind) {
        const QByteArray name = (QLatin1String(button) + kind).toLatin1();
        find<QPushButton>(w, name.constData())->click();
    }
    // Makes the document's row current and clicks a button of the journal.
    void clickOn(TMainF& w, const QString& kind, int id, const char* button) {
        const QByteArray g = ("SG" + kind).toLatin1();
        StringGrid* grid = find<StringGrid>(w, g.constData());
        QVERIFY(rowOf(grid, id) > 0);
        grid->SetRow(rowOf(grid, id));
        click(w, button, kind);
    }

    // Stock for the sales: tea at 100.00 in every store, coffee at 500.00 in the main store.
    void stock() {
        for (int store : {shop.Main, shop.Far, shop.Window})
            QVERIFY(shop.Doc(Kind::Prh, march(1), store, shop.Supplier, {{shop.Tea, 100, 100}}));
        QVERIFY(shop.Doc(Kind::Prh, march(1), shop.Main, shop.Supplier, {{shop.Coffee, 10, 500}}));
    }
    int sale(const QDate& day, int store, double kol, double rcen, const QString& prim = QString()) {
        return shop.Doc(Kind::Nkl, day, store, shop.Buyer, {{shop.Tea, kol, 100, rcen}}, prim);
    }

private Q_SLOTS:
    void newestFirstAndOnlyTheStoresTheCashierMayUse() {
        newShop();
        stock();
        const int a = sale(march(5), shop.Main, 2, 150, QStringLiteral("первая"));
        const int b = sale(march(5), shop.Main, 1, 160);
        const int c = sale(march(7), shop.Main, 3, 200);
        const int far = sale(march(6), shop.Far, 1, 150);
        const int window = sale(march(6), shop.Window, 1, 150);
        QVERIFY(a && b && c && far && window && a < b);
        const int toFar = shop.Doc(Kind::Vnk, march(8), shop.Main, shop.Far, {{shop.Tea, 1, 100}});
        const int farToWindow = shop.Doc(Kind::Vnk, march(8), shop.Far, shop.Window, {{shop.Tea, 1, 100}});
        const int windowToMain = shop.Doc(Kind::Vnk, march(9), shop.Window, shop.Main, {{shop.Tea, 1, 100}});
        QVERIFY(toFar && farToWindow && windowToMain);

        auto w = openCashier({{Right::NklView, 1}, {Right::VnkView, 1}});
        // This month holds nothing: the heading row alone, not fixed, and nothing to open.
        MainWindowFixture::ClickNav(w->LBoxDoc, 2);
        StringGrid* g = find<StringGrid>(*w, "SGNkl");
        QCOMPARE(w->CurrentPage()->objectName(), QStringLiteral("TSNkl"));
        QCOMPARE(g->RowCount(), 1);
        QCOMPARE(g->FixedRows(), 0);
        QCOMPARE(rows(g), QStringList{QStringLiteral("|Номер|Дата|Склад|Покупатель|Сумма|Долг|Примечание")});
        int opened = 0;
        WindowSeams().FormEditNkl = [&](QWidget*, TSelectionSlot&, TRecDoc&) { return ++opened, 0; };
        WindowSeams().FormEditMoney = [&](QWidget*, TSelectionSlot&, TRecMoney&) { return ++opened, 0; };
        click(*w, "ButEdit", QStringLiteral("Nkl"));
        click(*w, "ButPay", QStringLiteral("Nkl"));
        QCOMPARE(opened, 0);
        QCOMPARE(w->SBarInfo->PanelText(1), QStringLiteral("Ответ получен."));

        g = journal(*w, QStringLiteral("Nkl"));
        QCOMPARE(g->FixedRows(), 1);
        const QString main = JournalShop::kMain, buyer = JournalShop::kBuyer;
        QCOMPARE(rows(g),
                 (QStringList{
                     QStringLiteral("1|%1|07.03.24|%2|%3|600.00|600.00|").arg(c).arg(main, buyer),
                     QStringLiteral("2|%1|05.03.24|%2|%3|160.00|160.00|").arg(b).arg(main, buyer),
                     QStringLiteral("3|%1|05.03.24|%2|%3|300.00|300.00|первая").arg(a).arg(main, buyer),
                 }));
        QList<int> widths;
        for (int col = 0; col < g->ColCount(); ++col)
            widths << g->ColWidths(col);
        QCOMPARE(widths, designed(g, {40, 50, 80, 150, 200, 80, 80, 150}));
        // A double click opens the document as "Изменить" does, with no right asked.
        QList<int> given;
        WindowSeams().FormEditNkl = [&](QWidget*, TSelectionSlot&, TRecDoc& r) { return given << r.ID, 0; };
        const QPoint cell = g->visualRect(g->model()->index(rowOf(g, b) - 1, 1)).center();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cell);
        QCOMPARE(given, QList<int>{b});

        // A transfer is listed when either of its stores is open to the cashier.
        g = journal(*w, QStringLiteral("Vnk"));
        QCOMPARE(
            rows(g),
            (QStringList{
                QStringLiteral("1|%1|09.03.24|%2|%3|0.00|").arg(windowToMain).arg(JournalShop::kWindow, main),
                QStringLiteral("2|%1|08.03.24|%2|%3|0.00|").arg(toFar).arg(main, JournalShop::kFar)}));

        // The administrator sees every store: the two of the 6th, the later number first.
        auto admin = openAdmin();
        g = journal(*admin, QStringLiteral("Nkl"));
        QStringList numbers;
        for (int r = 1; r < g->RowCount(); ++r)
            numbers << g->Cells(1, r);
        const QStringList journalOrder{QString::number(c), QString::number(window), QString::number(far),
                                       QString::number(b), QString::number(a)};
        QCOMPARE(numbers, journalOrder);

        // A click on "Сумма" sorts by the sums, the two equal ones in the journal's order, a
        // second click the other way; the buttons act on the document shown in the row, and
        // the load after the editor brings back the journal's order.
        const auto shownNumbers = [&] {
            QStringList shown;
            for (int r = 1; r < g->RowCount(); ++r)
                shown << g->Cells(1, r);
            return shown;
        };
        const auto clickHeading = [&](int col) {
            g->scrollTo(g->model()->index(0, col));
            QHeaderView* h = g->horizontalHeader();
            QTest::mouseClick(
                h->viewport(), Qt::LeftButton, {},
                QPoint(h->sectionViewportPosition(col) + h->sectionSize(col) / 2, h->height() / 2));
        };
        clickHeading(5);
        QCOMPARE(shownNumbers(), (QStringList{QString::number(window), QString::number(far),
                                              QString::number(b), QString::number(a), QString::number(c)}));
        clickHeading(5);
        QCOMPARE(shownNumbers(), (QStringList{QString::number(c), QString::number(a), QString::number(b),
                                              QString::number(window), QString::number(far)}));
        given.clear();
        clickOn(*admin, QStringLiteral("Nkl"), b, "ButEdit");
        QCOMPARE(given, QList<int>{b});
        QCOMPARE(shownNumbers(), journalOrder);
    }

    void debtIsEmptyWhenPaidAndNegativeWhenOverpaid() {
        newShop();
        const QList<JournalShop::Line> worth1000 = {{shop.Tea, 10, 100}};
        const int unpaid = shop.Doc(Kind::Prh, march(2), shop.Main, shop.Supplier, worth1000);
        const int paid = shop.Doc(Kind::Prh, march(3), shop.Main, shop.Supplier, worth1000);
        const int overpaid = shop.Doc(Kind::Prh, march(4), shop.Main, shop.Supplier, worth1000,
                                      QStringLiteral("с переплатой"));
        const int order = shop.Doc(Kind::Invoice, march(5), shop.Main, shop.Buyer, {{shop.Tea, 3, 100, 150}});
        QVERIFY(unpaid && paid && overpaid && order);
        // Cents that sum up in binary with a remainder still settle the receipt exactly.
        QVERIFY(shop.Pay(shop.Cash, shop.Supplier, 999.9, paid, 0, march(3)));
        QVERIFY(shop.Pay(shop.Cash, shop.Supplier, 0.1, paid, 0, march(3)));
        QVERIFY(shop.Pay(shop.Bank, shop.Supplier, 1200, overpaid, 0, march(4), QStringLiteral("ошибка")));
        QVERIFY(shop.Pay(shop.Buyer, shop.Cash, 100, 0, order, march(6)));

        auto w = openAdmin();
        StringGrid* g = journal(*w, QStringLiteral("Prh"));
        const QString row = QStringLiteral("%1|%2|%3|%4|%5|1000.00|%6|%7");
        const auto line = [&](int n, int id, const char* day, const char* debt, const QString& prim) {
            return row.arg(n).arg(id).arg(QLatin1String(day), JournalShop::kSupplier, JournalShop::kMain,
                                          QLatin1String(debt), prim);
        };
        QCOMPARE(rows(g),
                 (QStringList{line(1, overpaid, "04.03.24", "-200.00", QStringLiteral("с переплатой")),
                              line(2, paid, "03.03.24", "", QString()),
                              line(3, unpaid, "02.03.24", "1000.00", QString())}));
        QList<int> widths;
        for (int col = 0; col < g->ColCount(); ++col)
            widths << g->ColWidths(col);
        QCOMPARE(widths, designed(g, {40, 50, 80, 200, 150, 80, 80, 150}));
        g = journal(*w, QStringLiteral("Invoice"));
        QCOMPARE(rows(g), QStringList{QStringLiteral("1|%1|05.03.24|%2|%3|450.00|350.00|")
                                          .arg(order)
                                          .arg(JournalShop::kMain, JournalShop::kBuyer)});

        // The payments, their links empty where there are none.
        g = journal(*w, QStringLiteral("Money"));
        QCOMPARE(rows(g).first(), QStringLiteral("1|%1|06.03.24|%2|%3|100.00|||%4")
                                      .arg(g->Cells(1, 1))
                                      .arg(JournalShop::kBuyer, JournalShop::kCash)
                                      .arg(order));
        QCOMPARE(rows(g).at(1), QStringLiteral("2|%1|04.03.24|%2|%3|1200.00|ошибка|%4|")
                                    .arg(g->Cells(1, 2))
                                    .arg(JournalShop::kBank, JournalShop::kSupplier)
                                    .arg(overpaid));
        QCOMPARE(g->RowCount(), 5);
        QStringList headings;
        widths.clear();
        for (int col = 0; col < g->ColCount(); ++col) {
            headings << g->Cells(col, 0);
            widths << g->ColWidths(col);
        }
        QCOMPARE(headings.join(QLatin1Char('|')),
                 QStringLiteral(
                     "|Номер|Дата|Отправитель|Получатель|Сумма|Примечание|№ накладной|№ заказа (счета)"));
        QCOMPARE(widths, designed(g, {40, 50, 80, 150, 150, 80, 150, 70, 70}));
    }

    void deletionNeedsTheFullRightAndNoProhibition() {
        newShop();
        const int doc = shop.Doc(Kind::Prh, march(2), shop.Main, shop.Supplier, {{shop.Tea, 1, 10}});
        QVERIFY(doc);
        const QList<QPair<QList<QPair<int, int>>, bool>> cases = {
            {{{Right::PrhView, 1}}, false},                          // viewing only
            {{{Right::PrhFull, 1}, {Right::PrhNoDelete, 1}}, false}, // deletion forbidden
            {{{Right::PrhFull, 1}, {Right::PrhNoDelete, 0}}, true},
        };
        for (const auto& [rights, asked] : cases) {
            f.Ui->infos.clear();
            f.Ui->questions.clear();
            auto w = openCashier(rights);
            journal(*w, QStringLiteral("Prh"));
            f.Ui->answers << false;
            clickOn(*w, QStringLiteral("Prh"), doc, "ButDel");
            QCOMPARE(f.Ui->infos, asked ? QStringList() : QStringList{kDenied});
            QCOMPARE(f.Ui->questions.size(), asked ? 1 : 0);
            QVERIFY(rowOf(find<StringGrid>(*w, "SGPrh"), doc) > 0);
        }
        QCOMPARE(f.Ui->questions, QStringList{TJournalPage::kDeleteQuestion});
        QCOMPARE(f.Ui->questionDefaults, QList<bool>{false});

        // Adding orders needs 7002 as well.
        auto w = openCashier({{Right::InvoiceView, 1}});
        int opened = 0;
        WindowSeams().FormEditInvoice = [&](QWidget*, TSelectionSlot&, TRecDoc&) { return ++opened, 0; };
        f.Ui->infos.clear();
        journal(*w, QStringLiteral("Invoice"));
        click(*w, "ButIns", QStringLiteral("Invoice"));
        QCOMPARE(f.Ui->infos, QStringList{kDenied});
        QCOMPARE(opened, 0);
    }

    void receiptDaysLockRefusesBeforeTheQuestionOtherKindsAreLeftToTheService() {
        newShop();
        const QDate today = QDate::currentDate();
        const int old =
            shop.Doc(Kind::Prh, today.addDays(-30), shop.Main, shop.Supplier, {{shop.Tea, 5, 100}});
        const int recent =
            shop.Doc(Kind::Prh, today.addDays(-2), shop.Main, shop.Supplier, {{shop.Tea, 5, 10}});
        const int oldSale = sale(today.addDays(-29), shop.Main, 1, 20);
        QVERIFY(old && recent && oldSale);
        auto w = openCashier(
            {{Right::PrhFull, 1}, {Right::PrhLock, 10}, {Right::NklFull, 1}, {Right::NklLock, 10}});
        journal(*w, QStringLiteral("Prh"), today.addDays(-40), today);
        clickOn(*w, QStringLiteral("Prh"), old, "ButDel");
        QCOMPARE(f.Ui->infos, QStringList{kDenied});
        QVERIFY(f.Ui->questions.isEmpty());
        f.Ui->answers << false;
        clickOn(*w, QStringLiteral("Prh"), recent, "ButDel");
        QCOMPARE(f.Ui->questions.size(), 1);

        // The waybill's own lock is not checked here; the service refuses, says why, and the
        // reload shows the waybill still there.
        StringGrid* g = journal(*w, QStringLiteral("Nkl"), today.addDays(-40), today);
        f.Ui->answers << true;
        clickOn(*w, QStringLiteral("Nkl"), oldSale, "ButDel");
        QCOMPARE(f.Ui->questions.size(), 2);
        QCOMPARE(f.Ui->infos.size(), 2);
        QVERIFY(f.Ui->infos[1].startsWith(QStringLiteral("Сервер отказал: ")));
        QVERIFY(rowOf(g, oldSale) > 0);
    }

    void deletionKeepsTheStockAboveZero() {
        newShop();
        const int receipt = shop.Doc(Kind::Prh, march(2), shop.Main, shop.Supplier, {{shop.Tea, 10, 100}});
        const int sold = sale(march(3), shop.Main, 4, 150);
        const int coffeeIn = shop.Doc(Kind::Prh, march(2), shop.Main, shop.Supplier, {{shop.Coffee, 5, 500}});
        const int moved = shop.Doc(Kind::Vnk, march(4), shop.Main, shop.Far, {{shop.Coffee, 5, 500}});
        const int soldFar = shop.Doc(Kind::Nkl, march(5), shop.Far, shop.Buyer, {{shop.Coffee, 3, 500, 800}});
        const int order =
            shop.Doc(Kind::Invoice, march(5), shop.Main, shop.Buyer, {{shop.Coffee, 99, 0, 800}});
        QVERIFY(receipt && sold && coffeeIn && moved && soldFar && order);
        auto w = openAdmin();
        f.Ui->defaultAnswer = true;
        const auto remove = [&](const QString& kind, int id) {
            f.Ui->infos.clear();
            w->SBarInfo->SetPanelText(0, QString());
            StringGrid* g = journal(*w, kind);
            clickOn(*w, kind, id, "ButDel");
            return rowOf(g, id) < 0;
        };
        // The goods of the receipt were partly sold since: the receipt stays.
        QVERIFY(!remove(QStringLiteral("Prh"), receipt));
        QCOMPARE(f.Ui->infos, QStringList{kStockShortage});
        QCOMPARE(w->SBarInfo->PanelText(0), TServerWait::kDone);
        // A transfer whose goods were sold in the receiving store stays as well.
        QVERIFY(!remove(QStringLiteral("Vnk"), moved));
        QCOMPARE(f.Ui->infos, QStringList{kStockShortage});
        // Sales go back into stock, which frees the rest; orders move nothing.
        QVERIFY(remove(QStringLiteral("Nkl"), sold));
        QVERIFY(remove(QStringLiteral("Prh"), receipt));
        QVERIFY(remove(QStringLiteral("Nkl"), soldFar));
        QVERIFY(remove(QStringLiteral("Vnk"), moved));
        QVERIFY(remove(QStringLiteral("Invoice"), order));
        QVERIFY(f.Ui->infos.isEmpty());
        QCOMPARE(f.Ui->questions.size(), 7);
    }

    // Payments would point at nothing: the service refuses, the journal says so and keeps it.
    void paidDocumentStaysAndTheJournalSaysWhy() {
        newShop();
        const int receipt = shop.Doc(Kind::Prh, march(2), shop.Main, shop.Supplier, {{shop.Tea, 10, 100}});
        QVERIFY(receipt && shop.Pay(shop.Cash, shop.Supplier, 300, receipt, 0, march(3)));
        const int payment = shop.Payments(march(3), march(3)).front()->ID;
        auto w = openAdmin();
        f.Ui->answers << true;
        StringGrid* g = journal(*w, QStringLiteral("Prh"));
        clickOn(*w, QStringLiteral("Prh"), receipt, "ButDel");
        QCOMPARE(f.Ui->infos,
                 QStringList{QStringLiteral("Сервер отказал: На "
                                            "документ ссылаются операции с деньгами № %1: удалите их "
                                            "или уберите в них номер документа")
                                 .arg(payment)});
        QVERIFY(rowOf(g, receipt) > 0);
        QCOMPARE(shop.Payments(march(3), march(3)).size(), size_t(1));
    }

    // Enter in the search box or a date box loads the journal with what was typed.
    void enterInTheSearchOrADateBoxLoads() {
        newShop();
        const int first = sale(march(2), shop.Main, 0, 0, QStringLiteral("первая"));
        const int second = sale(march(9), shop.Main, 0, 0, QStringLiteral("вторая"));
        QVERIFY(first && second);
        auto w = openAdmin();
        StringGrid* g = journal(*w, QStringLiteral("Nkl"));
        QVERIFY(rowOf(g, first) > 0 && rowOf(g, second) > 0);
        QLineEdit* search = find<QLineEdit>(*w, "EdFindNkl");
        search->setText(QStringLiteral("перв"));
        QVERIFY(rowOf(g, second) > 0); // typing alone loads nothing
        QTest::keyClick(search, Qt::Key_Return);
        QVERIFY(rowOf(g, first) > 0 && rowOf(g, second) < 0);
        search->clear();
        auto* begin = find<TDatePicker>(*w, "DTPBeginNkl");
        begin->setDate(march(5));
        QTest::keyClick(begin, Qt::Key_Enter);
        QVERIFY(rowOf(g, first) < 0 && rowOf(g, second) > 0);
    }

    void payingAWaybillOpensTheMoneyEditorWithTheRest() {
        newShop();
        stock();
        const int doc = sale(march(10), shop.Main, 10, 150);
        QVERIFY(doc && shop.Pay(shop.Buyer, shop.Cash, 500, doc, 0, march(11)));
        auto w = openAdmin();
        StringGrid* g = journal(*w, QStringLiteral("Nkl"));
        QCOMPARE(g->Cells(6, rowOf(g, doc)), QStringLiteral("1000.00"));

        ModalScript edited;
        edited.Then([&](QWidget* d) {
            auto* e = ModalScript::As<TFormEditMoney>(d);
            QVERIFY(e);
            QCOMPARE(e->windowTitle(), QStringLiteral("Операция с деньгами"));
            QCOMPARE(e->size(), QSize(484, 321));
            QCOMPARE(e->LabI->text(), JournalShop::kBuyer);
            QCOMPARE(e->LabP->text(), QString());
            QCOMPARE(e->EdSumM->text(), QStringLiteral("1000.00"));
            QCOMPARE(e->EdDocN->text(), QString::number(doc));
            QCOMPARE(e->EdInvoiceN->text(), QStringLiteral("0"));
            QCOMPARE(e->DTPDat->date(), QDate::currentDate());
            QVERIFY(e->ButSave->isEnabled());
            e->ButSave->click();
            QCOMPARE(f.Ui->infos, QStringList{TFormEditMoney::kNoParties});
            QVERIFY(e->isVisible());
            ModalScript picked;
            picked.Then([](QWidget* p) { ChooseKlient(p, 1, JournalShop::kCash); });
            e->ButSelP->click();
            QCOMPARE(picked.Pending(), 0);
            QCOMPARE(e->LabP->text(), JournalShop::kCash);
            e->EdPrim->setText(QStringLiteral("  остаток по накладной "));
            e->ButSave->click();
            QVERIFY(!e->isVisible());
            QCOMPARE(e->result(), int(QDialog::Accepted));
        });
        clickOn(*w, QStringLiteral("Nkl"), doc, "ButPay");
        QCOMPARE(edited.Pending(), 0);
        QCOMPARE(w->CurrentPage()->objectName(), QStringLiteral("TSNkl"));
        QCOMPARE(g->Cells(6, rowOf(g, doc)), QString());

        const auto paid = shop.Payments(QDate::currentDate(), QDate::currentDate());
        QCOMPARE(paid.size(), size_t(1));
        QCOMPARE(paid.front()->KlientIDI, shop.Buyer);
        QCOMPARE(paid.front()->KlientIDP, shop.Cash);
        QCOMPARE(paid.front()->SumM, 1000.0);
        QCOMPARE(paid.front()->DocN, doc);
        QCOMPARE(paid.front()->Prim, QStringLiteral("остаток по накладной"));
    }

    void receiptsPayTheSupplierAndOrdersCarryTheOrderLink() {
        newShop();
        const int receipt = shop.Doc(Kind::Prh, march(2), shop.Main, shop.Supplier, {{shop.Tea, 4, 25}});
        const int order = shop.Doc(Kind::Invoice, march(2), shop.Main, shop.Buyer, {{shop.Tea, 2, 0, 35}});
        QVERIFY(receipt && order && shop.Pay(shop.Cash, shop.Supplier, 150, receipt, 0, march(3)));
        auto w = openAdmin();
        QList<TRecMoney> given;
        WindowSeams().FormEditMoney = [&](QWidget*, TSelectionSlot&, TRecMoney& m) {
            given << m;
            return int(QDialog::Rejected);
        };
        QList<TRecDoc> added;
        WindowSeams().FormEditPrh = [&](QWidget*, TSelectionSlot&, TRecDoc& r) { return added << r, 0; };
        journal(*w, QStringLiteral("Prh"));
        click(*w, "ButIns", QStringLiteral("Prh"));
        QCOMPARE(added.size(), 1);
        QCOMPARE(added[0].ID, 0);
        QCOMPARE(added[0].DocDate, kovrel::Today());
        QCOMPARE(added[0].KlientID, 0);
        clickOn(*w, QStringLiteral("Prh"), receipt, "ButPay");
        journal(*w, QStringLiteral("Invoice"));
        clickOn(*w, QStringLiteral("Invoice"), order, "ButPay");
        QCOMPARE(given.size(), 2);
        const TRecMoney& p = given[0];
        QCOMPARE(p.KlientIDP, shop.Supplier);
        QCOMPARE(p.KlientNameP, JournalShop::kSupplier);
        QCOMPARE(p.KlientIDI, 0);
        QCOMPARE(p.SumM, -50.0); // overpaid: the rest is taken as it is
        QCOMPARE(p.DocN, receipt);
        QCOMPARE(p.InvoiceN, 0);
        QCOMPARE(p.DocDate, kovrel::Today());
        const TRecMoney& o = given[1];
        QCOMPARE(o.KlientIDI, shop.Buyer);
        QCOMPARE(o.KlientNameI, JournalShop::kBuyer);
        QCOMPARE(o.SumM, 70.0);
        QCOMPARE(o.DocN, 0);
        QCOMPARE(o.InvoiceN, order);
    }
};

QTEST_MAIN(TestJournals)
#include "test_journals.moc"
