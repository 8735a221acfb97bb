// The pickers against the real service: what they list and in which order, what they leave in
// the selection slot after a choice and after closing without one, the goods picker's modes
// and its "Добавить", the counterparty picker's kind filter, the store picker's store access,
// and the report pages' picker buttons that open them.
#include "capture_server.h"
#include "catalog_window_test.h"
#include "form_list_good.h"
#include "form_list_kl.h"
#include "form_list_store.h"
#include "rep_move_good_page.h"
#include "rep_move_klient_page.h"
#include "rep_sale_st_page.h"
#include "request_fields.h"
#include "session.h"
#include "status_bar.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace catalog_test;

namespace {

TListGoodArgs goodArgs(int mode, bool flagIns = false, int store = -1, int zero = 0) {
    TListGoodArgs a;
    a.FlagIns = flagIns;
    a.SelCodeStore = store;
    a.SelFlagZero = zero;
    a.SelMode = mode;
    return a;
}

// A slot that holds an earlier choice, so a picker must clear it.
TSelectionSlot usedSlot() {
    TSelectionSlot s;
    s.SelName = QStringLiteral("прежний выбор");
    s.SelID = 77;
    s.SelGr = 3;
    s.SelCenZ = 1.5;
    s.SelCenR = 2.5;
    return s;
}

void choose(TFormList& picker, const QString& name) {
    const int row = RowOf(picker.SGList, 0, name);
    QVERIFY2(row > 0, qPrintable(name));
    picker.SGList->SetRow(row);
    picker.ButSel->click();
}

// Goods received into a store at a purchase price, by a receipt of one line; false when the
// service takes no receipts.
bool receive(int store, int supplier, int good, double kol, double zcen) {
    TRecDoc doc;
    doc.DocDate = kovrel::Today();
    doc.StoreID = store;
    doc.KlientID = supplier;
    TFormLoad fl;
    if (!fl.InsertPrh(doc) || doc.ID <= 0) return false;
    TRecDocItem line;
    line.IDZag = doc.ID;
    line.IDGood = good;
    line.Kol = kol;
    line.CenZ = zcen;
    return fl.InsertPrhItem(line);
}

} // namespace

class TestFormList : public MainWindowTest {
    Q_OBJECT

private Q_SLOTS:
    void goodsCatalogModeListsByKeyAndChoosingFillsTheSlot() {
        auto w = f.OpenAdmin();
        TRecGood a = Good(QStringLiteral("Пикер Болт М8"), 12.5);
        a.ZCen = 99; // never sent: a goods item's purchase price comes from receipts
        const int idA = AddGood(a);
        AddGood(Good(QStringLiteral("пикер анкер"), 3));
        QVERIFY(idA > 0);

        TSelectionSlot slot = usedSlot();
        TFormListGood picker(w.get(), slot, goodArgs(1));
        QCOMPARE(picker.objectName(), QStringLiteral("FormListGood"));
        QCOMPARE(picker.windowTitle(), QStringLiteral("Выбор товара"));
        QCOMPARE(picker.width(), 450);
        QCOMPARE(picker.height(), 611);
        QCOMPARE(picker.font().pixelSize(), 11);
        QCOMPARE(picker.font().family(), QStringLiteral("Tahoma"));
        QVERIFY(!picker.ButIns->isVisibleTo(&picker));
        QCOMPARE(picker.ButSel->text(), QStringLiteral("Выбрать"));
        QCOMPARE(picker.ButSel->size(), QSize(100, 25));
        QCOMPARE(picker.EdFind->width(), 120);
        QCOMPARE(picker.SBar->PanelCount(), 1);
        // One panel, at least 50 px, reaching to the right edge so its text shows whole.
        QCOMPARE(picker.SBar->Panel(0)->minimumWidth(), 50);
        picker.show();
        QVERIFY(picker.SBar->Panel(0)->width() >= picker.SBar->Panel(0)->sizeHint().width());
        QCOMPARE(picker.SBar->PanelText(0), QStringLiteral("Ответ получен."));
        // Opening cleared the slot; SelGr is not the goods picker's.
        QCOMPARE(slot.SelName, QString());
        QCOMPARE(slot.SelID, -1);
        QCOMPARE(slot.SelCenZ, 0.0);
        QCOMPARE(slot.SelCenR, 0.0);
        QCOMPARE(slot.SelGr, 3);

        StringGrid* g = picker.SGList;
        QCOMPARE(g->ColCount(), 1);
        QCOMPARE(g->FixedCols(), 0);
        QCOMPARE(g->ColWidths(0), 330);
        QCOMPARE(g->Cells(0, 0), QStringLiteral("Наименование"));
        QCOMPARE(g->FixedRows(), 1);
        QCOMPARE(g->RowCount(), picker.ListSort.Count() + 1);
        for (int r = 1; r < g->RowCount(); ++r)
            QCOMPARE(g->Cells(0, r), picker.ListSort.Objects(r - 1)->Name);

        // Case does not matter in the order; the service filters what is typed.
        picker.EdFind->setText(QStringLiteral("пикер"));
        QCOMPARE(Column(g, 0), (QStringList{QStringLiteral("пикер анкер"), QStringLiteral("Пикер Болт М8")}));
        choose(picker, QStringLiteral("Пикер Болт М8"));
        QCOMPARE(picker.result(), int(QDialog::Accepted));
        QCOMPARE(slot.SelName, QStringLiteral("Пикер Болт М8"));
        QCOMPARE(slot.SelID, idA);
        QCOMPARE(slot.SelCenR, 12.5);
        QCOMPARE(slot.SelCenZ, 0.0);
    }

    void nothingListedNothingChosenAndClosingKeepsTheSlotEmpty() {
        auto w = f.OpenAdmin();
        AddStore(QStringLiteral("Склад пикера"));
        TSelectionSlot slot;
        {
            TFormListStore picker(w.get(), slot);
            choose(picker, QStringLiteral("Склад пикера"));
            QCOMPARE(slot.SelName, QStringLiteral("Склад пикера"));
            QVERIFY(slot.SelID > 0);
        }
        // A second picker: the earlier choice is gone the moment it opens.
        TFormListStore picker(w.get(), slot);
        QCOMPARE(slot.SelID, -1);
        picker.EdFind->setText(QStringLiteral("нет такого склада"));
        QCOMPARE(picker.SGList->RowCount(), 1);
        QCOMPARE(picker.SGList->FixedRows(), 0);
        QCOMPARE(picker.SGList->Cells(0, 0), QStringLiteral("Наименование"));
        picker.show();
        picker.ButSel->click();
        QTest::mouseDClick(picker.SGList->viewport(), Qt::LeftButton, {},
                           picker.SGList->visualRect(picker.SGList->model()->index(0, 0)).center());
        QVERIFY(picker.isVisible());
        picker.close();
        QCOMPARE(picker.result(), int(QDialog::Rejected));
        QCOMPARE(slot.SelName, QString());
        QCOMPARE(slot.SelID, -1);
    }

    // Typing searches and keeps the focus in the search box; Down moves into the list, where
    // Enter chooses the current row.
    void theKeyboardSearchesMovesIntoTheListAndChooses() {
        auto w = f.OpenAdmin();
        AddStore(QStringLiteral("Склад фокуса"));
        AddStore(QStringLiteral("Склад фокуса 2"));
        w->close(); // the offscreen platform would keep the main window the active one
        TSelectionSlot slot;
        TFormListStore picker(nullptr, slot);
        picker.show();
        picker.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&picker));
        picker.SGList->setFocus();
        picker.EdFind->setText(QStringLiteral("фокус"));
        QVERIFY(picker.EdFind->hasFocus());
        const QStringList listed = Column(picker.SGList, 0);
        QCOMPARE(listed.size(), 2);
        QTest::keyClick(picker.EdFind, Qt::Key_Down);
        QVERIFY(picker.SGList->hasFocus());
        QTest::keyClick(picker.SGList, Qt::Key_Down);
        QTest::keyClick(picker.SGList, Qt::Key_Return);
        QCOMPARE(picker.result(), int(QDialog::Accepted));
        QCOMPARE(slot.SelName, listed[1]);
    }

    void doubleClickChoosesTheRowUnderTheMouse() {
        auto w = f.OpenAdmin();
        const int id = AddKlient(QStringLiteral("Двойной щелчок ООО"), 1);
        TSelectionSlot slot;
        TFormListKl picker(w.get(), slot);
        picker.show();
        picker.EdFind->setText(QStringLiteral("Двойной щелчок"));
        StringGrid* g = picker.SGList;
        const QPoint at = g->visualRect(g->model()->index(0, 0)).center();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(picker.result(), int(QDialog::Accepted));
        QCOMPARE(slot.SelID, id);
        QCOMPARE(slot.SelGr, 1);
    }

    void counterpartyKindFilterListsAndReportsTheKind() {
        auto w = f.OpenAdmin();
        const int id = AddKlient(QStringLiteral("Взнос учредителя Пикер"), 4);
        AddKlient(QStringLiteral("Покупатель Пикер"), 1);
        TSelectionSlot slot = usedSlot();
        TFormListKl picker(w.get(), slot);
        QCOMPARE(picker.windowTitle(), QStringLiteral("Выбор счета"));
        QCOMPARE(picker.size(), QSize(384, 611));
        QCOMPARE(slot.SelGr, -1);
        QCOMPARE(picker.ComBoxTypeKl->count(), 4);
        QCOMPARE(picker.ComBoxTypeKl->currentIndex(), 0);
        picker.EdFind->setText(QStringLiteral("Пикер"));
        QCOMPARE(Column(picker.SGList, 0), QStringList{QStringLiteral("Покупатель Пикер")});

        // The user picks "Вложения и изъятия": listed again with kind 4.
        picker.show();
        picker.ComBoxTypeKl->setFocus();
        QTest::keyClick(picker.ComBoxTypeKl, Qt::Key_End);
        QCOMPARE(picker.ComBoxTypeKl->currentText(), QStringLiteral("Вложения и изъятия"));
        QCOMPARE(Column(picker.SGList, 0), QStringList{QStringLiteral("Взнос учредителя Пикер")});
        choose(picker, QStringLiteral("Взнос учредителя Пикер"));
        QCOMPARE(slot.SelID, id);
        QCOMPARE(slot.SelGr, 4);
        QCOMPARE(slot.SelName, QStringLiteral("Взнос учредителя Пикер"));
    }

    void kindFilterSetByTheCallerAgreesWithWhatIsListed() {
        auto w = f.OpenAdmin();
        AddKlient(QStringLiteral("Аренда склада Пикер"), 3);
        TSelectionSlot slot;
        TFormListKl picker(w.get(), slot);
        picker.EdFind->setText(QStringLiteral("Пикер"));
        picker.SetKindFilter(2, false);
        QVERIFY(!picker.ComBoxTypeKl->isEnabled());
        QCOMPARE(Column(picker.SGList, 0), QStringList{QStringLiteral("Аренда склада Пикер")});
        choose(picker, QStringLiteral("Аренда склада Пикер"));
        QCOMPARE(slot.SelGr, 3);
    }

    void storePickerOffersOnlyStoresOfFullAccess() {
        auto user = f.OpenUser();
        QCOMPARE(SignInState.flagAdmin, 0);
        TSelectionSlot slot;
        TFormListStore picker(user.get(), slot);
        QCOMPARE(picker.windowTitle(), QStringLiteral("Выбор склада"));
        QCOMPARE(picker.size(), QSize(384, 611));
        const QStringList offered = Column(picker.SGList, 0);
        QVERIFY(offered.contains(QStringLiteral("Основной склад")));
        QVERIFY(offered.contains(QStringLiteral("Магазин на Ленина")));
        QVERIFY(!offered.contains(QStringLiteral("Склад на Промышленной"))); // reports only
        QVERIFY(!offered.contains(QStringLiteral("Магазин на Садовой")));    // no access
        // The reports-only store is in the report store filter all the same.
        MainWindowFixture::ClickNav(user->LBoxRep, 1);
        QVERIFY(find<QComboBox>(*user, "ComBoxStore")->findText(QStringLiteral("Склад на Промышленной")) > 0);

        auto admin = f.OpenAdmin();
        TFormListStore all(admin.get(), slot);
        QVERIFY(Column(all.SGList, 0).contains(QStringLiteral("Магазин на Садовой")));
    }

    void addButtonOpensTheGoodsEditorAndListsAgain() {
        auto w = f.OpenAdmin();
        QList<TRecGood> given;
        WindowSeams().FormEditGood = [&](QWidget*, TRecGood& g) {
            given << g;
            g.Name = QStringLiteral("Добавлен из пикера");
            TFormLoad fl;
            return fl.InsertGood(g) ? 1 : 0;
        };
        TSelectionSlot slot;
        TFormListGood picker(w.get(), slot, goodArgs(1, true, 3, 1));
        QVERIFY(picker.ButIns->isVisibleTo(&picker));
        QCOMPARE(picker.ButIns->text(), QStringLiteral("Добавить"));
        QCOMPARE(picker.ButIns->size(), QSize(100, 25));
        picker.EdFind->setText(QStringLiteral("Добавлен из"));
        QCOMPARE(picker.SGList->RowCount(), 1);
        picker.ButIns->click();
        QCOMPARE(given.size(), 1);
        QCOMPARE(given[0].ID, 0);
        QCOMPARE(Column(picker.SGList, 0), QStringList{QStringLiteral("Добавлен из пикера")});
    }

    void failedQueryListsNothingAndSaysSo() {
        auto w = f.OpenAdmin();
        BaseURL = QStringLiteral("http://127.0.0.1:9");
        TSelectionSlot slot;
        TFormListGood picker(w.get(), slot, goodArgs(2, false, 1));
        QCOMPARE(picker.width(), 550);
        QCOMPARE(picker.SGList->RowCount(), 1);
        QCOMPARE(picker.SGList->FixedRows(), 0);
        QCOMPARE(picker.SGList->ColCount(), 3);
        // The headings show whole even as a row of cells: 80 px, or what the text needs.
        for (int col : {1, 2})
            QCOMPARE(
                picker.SGList->ColWidths(col),
                std::max(80, picker.SGList->sizeHintForIndex(picker.SGList->model()->index(0, col)).width()));
        QVERIFY(picker.SGList->ColWidths(1) > 80); // "Кол-во остаток" with the project's fonts
        QCOMPARE(picker.SGList->Cells(1, 0), QStringLiteral("Кол-во остаток"));
        QCOMPARE(picker.SGList->Cells(2, 0), QStringLiteral("Цена"));
        QCOMPARE(picker.SBar->PanelText(0),
                 QStringLiteral("Нет связи с сервером http://127.0.0.1:9: сервер не отвечает"));
        QVERIFY(f.Ui->infos.isEmpty());
    }

    void stockModeHidesZeroStockAndKeepsPurchasePricesApart() {
        // What a service may answer: a row without stock, one goods item at two purchase prices
        // (listed out of order), and a row repeating another whole.
        CaptureServer server;
        testing::SetTestSession(server.Url());
        server.Enqueue(
            R"([{"id_goods":5,"name":"Гайка","pcen":7.5,"zcen":4.25,"kol_plus":8,"kol_minus":3},)"
            R"({"id_goods":6,"name":"Шайба","pcen":1,"zcen":1,"kol_plus":4,"kol_minus":4},)"
            R"({"id_goods":5,"name":"Гайка","pcen":7.5,"zcen":3,"kol_plus":10,"kol_minus":0,"kol_plus_v":2,"kol_minus_v":0.5},)"
            R"({"id_goods":7,"name":"Болт","pcen":2,"zcen":1,"kol_plus":0,"kol_minus":0,"kol_plus_v":1e-13},)"
            R"({"id_goods":5,"name":"Гайка","pcen":7.5,"zcen":3,"kol_plus":1,"kol_minus":0}])");
        TSelectionSlot slot;
        TFormListGood picker(nullptr, slot, goodArgs(2, false, 12, 0));
        QCOMPARE(server.Last().path, QByteArray("/rep-ost-json-v2.php"));
        COMPARE_FIELDS(server.Last(),
                       testing::Fields{{"find_win", ""}, {"flag_zero", "0"}, {"code_store", "12"}});
        StringGrid* g = picker.SGList;
        QCOMPARE(picker.ListSort.Count(), 2);
        QCOMPARE(g->RowCount(), 3);
        QCOMPARE(g->Cells(0, 1), QStringLiteral("Гайка"));
        QCOMPARE(g->Cells(1, 1), QStringLiteral("11.500")); // 10 + 2 - 0.5 at 3.000
        QCOMPARE(g->Cells(2, 1), QStringLiteral("7.50"));
        QCOMPARE(g->Cells(0, 2), QStringLiteral("Гайка"));
        QCOMPARE(g->Cells(1, 2), QStringLiteral("5")); // at 4.250
        g->SetRow(2);
        picker.ButSel->click();
        QCOMPARE(slot.SelID, 5);
        QCOMPARE(slot.SelCenZ, 4.25);
        QCOMPARE(slot.SelCenR, 7.5);
    }

    void stockOfAStoreFromItsReceipts() {
        auto w = f.OpenAdmin();
        const int store = AddStore(QStringLiteral("Склад остатков пикера"));
        const int supplier = AddKlient(QStringLiteral("Поставщик остатков"), 1);
        const int nut = AddGood(Good(QStringLiteral("Остаток Гайка М6"), 7.5));
        AddGood(Good(QStringLiteral("Остаток Шайба М6"), 1)); // never received
        QVERIFY(store > 0 && supplier > 0 && nut > 0);
        QVERIFY(receive(store, supplier, nut, 10, 3));
        QVERIFY(receive(store, supplier, nut, 5, 4.25));

        TSelectionSlot slot;
        TFormListGood picker(w.get(), slot, goodArgs(2, false, store, 0));
        picker.EdFind->setText(QStringLiteral("Остаток"));
        StringGrid* g = picker.SGList;
        QCOMPARE(Column(g, 0),
                 (QStringList{QStringLiteral("Остаток Гайка М6"), QStringLiteral("Остаток Гайка М6")}));
        QCOMPARE(Column(g, 1), (QStringList{QStringLiteral("10"), QStringLiteral("5")}));
        QCOMPARE(Column(g, 2), (QStringList{QStringLiteral("7.50"), QStringLiteral("7.50")}));
        g->SetRow(2);
        picker.ButSel->click();
        QCOMPARE(slot.SelID, nut);
        QCOMPARE(slot.SelCenZ, 4.25);
        QCOMPARE(slot.SelCenR, 7.5);
        QCOMPARE(slot.SelName, QStringLiteral("Остаток Гайка М6"));

        // With the zero flag the service lists goods without stock; the picker still drops them.
        TFormListGood withZero(w.get(), slot, goodArgs(2, false, store, 1));
        withZero.EdFind->setText(QStringLiteral("Остаток"));
        QCOMPARE(RowOf(withZero.SGList, 0, QStringLiteral("Остаток Шайба М6")), -1);
        QVERIFY(withZero.List.size() > size_t(withZero.ListSort.Count()));
    }

    // ---- The report pages' picker buttons ----

    void goodsMovementCardPicksFromTheWholeCatalog() {
        auto w = f.OpenAdmin();
        const int id = AddGood(Good(QStringLiteral("Карточка Шуруп")));
        WhenShown<TFormListGood>([&](TFormListGood* p) {
            QCOMPARE(p->SelMode, 1);
            QCOMPARE(p->SelCodeStore, -1);
            QVERIFY(!p->ButIns->isVisibleTo(p));
            p->EdFind->setText(QStringLiteral("Карточка Шуруп"));
            choose(*p, QStringLiteral("Карточка Шуруп"));
        });
        find<QPushButton>(*w, "ButSelGoodRMG")->click();
        QCOMPARE(w->TSRepMoveGood->SelGoodIDRMG, id);
        QCOMPARE(find<QLabel>(*w, "LabGoodRMG")->text(), QStringLiteral("Карточка Шуруп"));

        WhenShown<TFormListGood>([](TFormListGood* p) { p->close(); });
        find<QPushButton>(*w, "ButSelGoodRMG")->click();
        QCOMPARE(w->TSRepMoveGood->SelGoodIDRMG, -1);
        QCOMPARE(find<QLabel>(*w, "LabGoodRMG")->text(), QString());
    }

    void reportCounterpartyPickersSetTheirKindFilter() {
        auto w = f.OpenAdmin();
        const int buyer = AddKlient(QStringLiteral("Отчетный покупатель"), 1);
        const int cash = AddKlient(QStringLiteral("Отчетная касса"), 2);
        WhenShown<TFormListKl>([&](TFormListKl* p) {
            QVERIFY(!p->ComBoxTypeKl->isEnabled());
            QCOMPARE(p->ComBoxTypeKl->currentIndex(), 0);
            p->EdFind->setText(QStringLiteral("Отчетный покупатель"));
            choose(*p, QStringLiteral("Отчетный покупатель"));
        });
        find<QPushButton>(*w, "ButSelKlientRSS")->click();
        QCOMPARE(w->TSRepSaleSt->SelKlientIDRSS, buyer);
        QCOMPARE(find<QLabel>(*w, "LabKlientRSS")->text(), QStringLiteral("Отчетный покупатель"));

        // The settlement card may pick any kind and keeps it.
        WhenShown<TFormListKl>([&](TFormListKl* p) {
            QVERIFY(p->ComBoxTypeKl->isEnabled());
            p->ComBoxTypeKl->setCurrentIndex(1);
            p->ComBoxTypeKlClick();
            p->EdFind->setText(QStringLiteral("Отчетная касса"));
            choose(*p, QStringLiteral("Отчетная касса"));
        });
        find<QPushButton>(*w, "ButSelKlientRMK")->click();
        QCOMPARE(w->TSRepMoveKlient->SelKlientIDRMK, cash);
        QCOMPARE(w->TSRepMoveKlient->SelKlientGr, 2);
        WhenShown<TFormListKl>([](TFormListKl* p) { p->close(); });
        find<QPushButton>(*w, "ButSelKlientRMK")->click();
        QCOMPARE(w->TSRepMoveKlient->SelKlientIDRMK, -1);
        QCOMPARE(w->TSRepMoveKlient->SelKlientGr, -1);
        QCOMPARE(find<QLabel>(*w, "LabKlientRMK")->text(), QString());
    }
};

QTEST_MAIN(TestFormList)
#include "test_form_list.moc"
