// The pickers against the real service: what they list and in which order, what they leave in
// the selection slot after a choice and after closing without one, the goods picker's modes
// and its "Добавить", the counterparty picker's kind filter, the store picker's store access,
// and the report pages' picker buttons that open them.
#include "catalog_window_test.h"
#include "form_list_good.h"
#include "form_list_kl.h"
#include "form_list_store.h"
#include "rep_move_good_page.h"
#include "rep_move_klient_page.h"
#include "rep_sale_st_page.h"
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
        QCOMPARE(picker.SBar->Panel(0)->width(), 50);
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

    void searchTypedKeepsTheFocusInTheSearchBox() {
        auto w = f.OpenAdmin();
        AddStore(QStringLiteral("Склад фокуса"));
        w->close(); // the offscreen platform would keep the main window the active one
        TSelectionSlot slot;
        TFormListStore picker(nullptr, slot);
        picker.show();
        picker.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&picker));
        picker.SGList->setFocus();
        picker.EdFind->setText(QStringLiteral("фокус"));
        QVERIFY(picker.EdFind->hasFocus());
        QCOMPARE(Column(picker.SGList, 0), QStringList{QStringLiteral("Склад фокуса")});
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
        QCOMPARE(picker.SGList->ColWidths(1), 80);
        QCOMPARE(picker.SGList->ColWidths(2), 80);
        QCOMPARE(picker.SGList->Cells(1, 0), QStringLiteral("Кол-во остаток"));
        QCOMPARE(picker.SGList->Cells(2, 0), QStringLiteral("Цена"));
        QCOMPARE(picker.SBar->PanelText(0), QStringLiteral("Ответ получен."));
        QVERIFY(f.Ui->infos.isEmpty());
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
