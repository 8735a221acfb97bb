// The counterparty, store and manager editor: what it shows for each kind, what it sends and in
// which order, and that a refused or failed save keeps the window open with the input. Against
// the real service, through the catalog pages that open it; the exact order of requests of a
// save is checked on a capture server.
#include "bank_fields.h"
#include "capture_server.h"
#include "catalog_window_test.h"
#include "demo_session.h"
#include "form_edit_kl.h"
#include "form_list_store.h"
#include "request_fields.h"
#include "session.h"
#include "tag_list_box.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

using namespace catalog_test;
using testing::Fields;

namespace {

QLineEdit* edit(QWidget* w, const char* name) {
    return MainWindowFixture::Find<QLineEdit>(w, name);
}

// The counterparty of that kind and name as the service lists it.
std::optional<TRecKlient> klient(const QString& name, int kind) {
    RecordList<TRecKlient> l;
    TFormLoad fl;
    fl.SelectKlientList(l, name, kind);
    return FindByName(l, name);
}

std::unique_ptr<TRecBank> bankOf(int id) {
    TFormLoad fl;
    return fl.SelectBank(id);
}

QStringList visibleTabs(const TFormEditKl& e) {
    QStringList out;
    for (int i = 0; i < e.PControl->count(); ++i)
        if (e.PControl->isTabVisible(i)) out << e.PControl->tabText(i);
    return out;
}

int storeLevel(int store, int user) {
    RecordList<TRecStoreRights> l;
    TFormLoad fl;
    fl.SelectStoreRightsOnStore(store, l);
    for (const auto& r : l)
        if (r->idUser == user) return r->ur;
    return -1;
}

} // namespace

class TestFormEditKl : public MainWindowTest {
    Q_OBJECT

private Q_SLOTS:
    void buyerOpensWithItsRequisitesAndManager() {
        auto w = f.OpenAdmin();
        const auto rec = klient(QStringLiteral("Восход ТД"), 1);
        QVERIFY(rec);
        QVERIFY(rec->ManagerID > 1);
        TRecKlient local = *rec;
        TFormEditKl e(w.get(), local);
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        QCOMPARE(e.objectName(), QStringLiteral("FormEditKl"));
        QCOMPARE(e.windowTitle(), QStringLiteral("Редактирование покупателя или поставщика"));
        QCOMPARE(e.size(), QSize(484, 661));
        QCOMPARE(e.font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(e.font().pixelSize(), 13);
        QCOMPARE(e.windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint),
                 Qt::WindowFlags());
        QVERIFY(e.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(visibleTabs(e), (QStringList{QStringLiteral("Реквизиты"), QStringLiteral("Доп.свойства")}));
        QCOMPARE(e.PControl->currentWidget(), e.TSAtrib);
        QCOMPARE(e.PControl->tabText(1), QStringLiteral("Права доступа"));
        QCOMPARE(e.findChild<QWidget*>(QStringLiteral("PanelTop"))->height(), 87);
        QCOMPARE(e.EdName->text(), QStringLiteral("Восход ТД"));
        QCOMPARE(e.EdPrim->text(), QStringLiteral("поставщик бакалеи"));
        QCOMPARE(e.EdName->width(), 320);
        QCOMPARE(e.EdPrim->width(), 320);
        QCOMPARE(e.ButCancel->text(), QStringLiteral("Отменить"));
        QCOMPARE(e.ButSave->text(), QStringLiteral("Сохранить"));
        QCOMPARE(e.ButCancel->size(), QSize(120, 25));
        QCOMPARE(e.ButSave->size(), QSize(120, 25));
        QVERIFY(e.ButCancel->x() < e.ButSave->x());

        // The fourteen requisites and the participant ID, labelled, in their order, which is also
        // the tab order.
        const auto bank = bankOf(rec->ID);
        QVERIFY(!bank->Inn.isEmpty() && !bank->EdoID.isEmpty());
        const QStringList values = {bank->Name, bank->BName, bank->Rs,    bank->Ks,   bank->Bik,
                                    bank->Inn,  bank->Kpp,   bank->Adres, bank->Tel,  bank->Ogrn,
                                    bank->Okpo, bank->Okpd,  bank->Dir,   bank->GBuh, bank->EdoID};
        QWidget* previous = e.EdPrim;
        int y = -1;
        for (int i = 0; i < 15; ++i) {
            QLineEdit* box = edit(&e, qPrintable(BankEdits()[i]));
            QVERIFY(box);
            QCOMPARE(box->text(), values[i]);
            QVERIFY(box->isEnabled());
            QCOMPARE(box->width(), 320);
            QVERIFY(box->y() > y);
            y = box->y();
            QLabel* label = nullptr;
            for (QLabel* l : e.TSAtrib->findChildren<QLabel*>())
                if (l->buddy() == box) label = l;
            QVERIFY(label);
            QCOMPARE(label->text(), BankLabels()[i]);
            QCOMPARE(NextTabStop(previous), box);
            previous = box;
        }

        // "-" for no manager, then the managers in the service's order; the buyer's is chosen.
        RecordList<TRecKlient> managers;
        TFormLoad fl;
        fl.SelectManagerList(managers, QString());
        QCOMPARE(e.ComBoxManager->width(), 320);
        QCOMPARE(e.ComBoxManager->count(), int(managers.size()) + 1);
        QCOMPARE(e.ComBoxManager->itemText(0), QStringLiteral("-"));
        QCOMPARE(e.ComBoxManager->itemData(0).toInt(), 1);
        for (size_t i = 0; i < managers.size(); ++i) {
            QCOMPARE(e.ComBoxManager->itemText(int(i) + 1), managers[i]->Name);
            QCOMPARE(e.ComBoxManager->itemData(int(i) + 1).toInt(), managers[i]->ID);
        }
        QCOMPARE(e.ComBoxManager->currentData().toInt(), rec->ManagerID);
    }

    void editedBuyerIsSavedTrimmedAndThePageReloads() {
        auto w = f.OpenAdmin();
        const int manager = AddManager(QStringLiteral("Менеджер правки"));
        AddKlient(QStringLiteral("Покупатель правки"), 1);
        MainWindowFixture::ClickNav(w->LBoxOptions, 2);
        StringGrid* g = find<StringGrid>(*w, "SGKlient");
        g->SetRow(RowOf(g, 1, QStringLiteral("Покупатель правки")));
        WhenShown<TFormEditKl>([&](TFormEditKl* e) {
            e->EdName->setText(QStringLiteral("  Покупатель правки 2 "));
            e->EdPrim->setText(QStringLiteral(" оптовый\t"));
            edit(e, "EdInn")->setText(QStringLiteral(" 7707083893 "));
            edit(e, "EdGBuh")->setText(QStringLiteral("Иванова А. А.  "));
            e->ComBoxManager->setCurrentIndex(e->ComBoxManager->findData(manager));
            e->ButSave->click();
            QCOMPARE(e->result(), int(QDialog::Accepted));
        });
        find<QPushButton>(*w, "ButEditKl")->click();
        const int row = RowOf(g, 1, QStringLiteral("Покупатель правки 2"));
        QVERIFY(row > 0);
        QCOMPARE(g->Cells(2, row), QStringLiteral("оптовый"));
        const auto saved = klient(QStringLiteral("Покупатель правки 2"), 1);
        QVERIFY(saved);
        QCOMPARE(saved->ManagerID, manager);
        const auto bank = bankOf(saved->ID);
        QCOMPARE(bank->Inn, QStringLiteral("7707083893"));
        QCOMPARE(bank->GBuh, QStringLiteral("Иванова А. А."));
        QCOMPARE(bank->Name, QString());
    }

    void newBuyerWithNoManagerGetsManagerOneAndItsRequisites() {
        auto w = f.OpenAdmin();
        MainWindowFixture::ClickNav(w->LBoxOptions, 2);
        WhenShown<TFormEditKl>([&](TFormEditKl* e) {
            QCOMPARE(e->LocalRec.ID, 0);
            QCOMPARE(e->EdName->text(), QString());
            QCOMPARE(e->ComBoxManager->currentText(), QStringLiteral("-"));
            e->EdName->setText(QStringLiteral("Новый покупатель без менеджера"));
            edit(e, "EdBik")->setText(QStringLiteral("044525225"));
            e->ButSave->click();
        });
        find<QPushButton>(*w, "ButInsKl")->click();
        QVERIFY(RowOf(find<StringGrid>(*w, "SGKlient"), 1, QStringLiteral("Новый покупатель без менеджера")) >
                0);
        const auto saved = klient(QStringLiteral("Новый покупатель без менеджера"), 1);
        QVERIFY(saved);
        QCOMPARE(saved->ManagerID, 1);
        QCOMPARE(bankOf(saved->ID)->Bik, QStringLiteral("044525225"));
    }

    // The participant ID goes by its own operation after the requisites, and only when it was
    // changed, so that a service without that operation still takes the requisites.
    void participantIdIsSentByItsOwnOperationWhenChanged() {
        CaptureServer server;
        testing::SetTestSession(server.Url());
        server.Enqueue(R"([{"name":"ООО Ромашка","inn":"7701234567","edo_id":"2BM-7701234567"}])");
        server.Enqueue("[]"); // managers
        TRecKlient rec;
        rec.ID = 8;
        rec.TypeKl = 1;
        rec.Name = QStringLiteral("Ромашка");
        TFormEditKl e(nullptr, rec);
        QCOMPARE(edit(&e, "EdEdoID")->text(), QStringLiteral("2BM-7701234567"));
        server.Clear();
        e.ButSave->click();
        QCOMPARE(testing::Paths(server.Requests()), (QStringList{"/update-klient.php", "/update-bank.php"}));

        TFormEditKl again(nullptr, rec);
        edit(&again, "EdEdoID")->setText(QStringLiteral(" 2BM-7701234567-770101001 "));
        server.Clear();
        again.ButSave->click();
        QCOMPARE(testing::Paths(server.Requests()),
                 (QStringList{"/update-klient.php", "/update-bank.php", "/update-edo-id.php"}));
        COMPARE_FIELDS(server.Last(), Fields{{"id", "8"}, {"edo_id_win", "2BM-7701234567-770101001"}});
        QCOMPARE(again.result(), int(QDialog::Accepted));
    }

    void kindsWithoutRequisitesShowNoTabsAndSendEmptyRequisites() {
        CaptureServer server;
        testing::SetTestSession(server.Url());
        server.Enqueue(R"([{"name":"ООО Касса","inn":"7700000000"}])"); // requisites it must not show
        TRecKlient rec;
        rec.ID = 5;
        rec.TypeKl = 2;
        rec.Name = QStringLiteral("Касса");
        TFormEditKl e(nullptr, rec);
        QCOMPARE(e.windowTitle(), QStringLiteral("Редактирование расчетного счета или кассы"));
        QCOMPARE(visibleTabs(e), QStringList());
        for (const QString& name : BankEdits()) {
            QCOMPARE(edit(&e, qPrintable(name))->text(), QString());
            QVERIFY(!edit(&e, qPrintable(name))->isEnabled());
        }
        server.Clear();
        e.show();
        e.ButSave->click();
        QCOMPARE(testing::Paths(server.Requests()), (QStringList{"/update-klient.php", "/update-bank.php"}));
        COMPARE_FIELDS(server.Requests()[0],
                       Fields{{"id", "5"}, {"name_win", "Касса"}, {"prim_win", ""}, {"id_manager", "1"}});
        Fields empty{{"id", "5"}};
        for (const char* field :
             {"name_win", "bname_win", "rs_win", "ks_win", "bik_win", "inn_win", "kpp_win", "adres_win",
              "tel_win", "okpo_win", "ogrn_win", "okpd_win", "dir_win", "gbuh_win"})
            empty.append({QString::fromLatin1(field), QString()});
        COMPARE_FIELDS(server.Requests()[1], empty);
        QCOMPARE(e.result(), int(QDialog::Accepted));
    }

    void eachKindHasItsCaptionTabsAndSaveOperations() {
        struct Case {
            int kind;
            const char* caption;
            QStringList tabs;
            QStringList insertPaths;
        };
        const QList<Case> cases{
            {3, "Редактирование накладных расходов", {}, {"/insert-klient.php", "/update-bank.php"}},
            {4, "Редактирование вложения/изъятия", {}, {"/insert-klient.php", "/update-bank.php"}},
            {10, "Редактирование склада", {"Права доступа"}, {"/insert-store.php"}},
            {11,
             "Редактирование своей организации",
             {"Реквизиты"},
             {"/insert-klient.php", "/update-bank.php"}},
            {12, "Редактирование менеджера", {}, {"/insert-manager.php"}},
        };
        for (const Case& c : cases) {
            CaptureServer server;
            testing::SetTestSession(server.Url());
            server.SetDefault({200, "OK", "text/html; charset=UTF-8", "31", {}, 0});
            TRecKlient rec;
            rec.TypeKl = c.kind;
            TFormEditKl e(nullptr, rec);
            QCOMPARE(e.windowTitle(), QString::fromUtf8(c.caption));
            QCOMPARE(visibleTabs(e), c.tabs);
            QCOMPARE(edit(&e, "EdInn")->isEnabled(), c.kind == 11);
            // A new entry queries nothing before it is saved.
            QCOMPARE(server.Count(), 0);
            e.EdName->setText(QStringLiteral("Новая запись"));
            e.ButSave->click();
            QCOMPARE(testing::Paths(server.Requests()), c.insertPaths);
        }
    }

    void insertedBuyerWhoseRequisitesFailedIsUpdatedOnTheNextSave() {
        CaptureServer server;
        testing::SetTestSession(server.Url());
        server.Enqueue("[]");       // managers
        server.Enqueue("57");       // insert-klient: the new ID
        server.Enqueue("нет", 500); // update-bank fails
        TRecKlient rec;
        rec.TypeKl = 1;
        TFormEditKl e(nullptr, rec);
        e.show();
        e.EdName->setText(QStringLiteral("Покупатель"));
        edit(&e, "EdKpp")->setText(QStringLiteral("770101001"));
        e.ButSave->click();
        QVERIFY(e.isVisible());
        QCOMPARE(rec.ID, 57);
        QCOMPARE(edit(&e, "EdKpp")->text(), QStringLiteral("770101001"));
        server.Clear();
        e.ButSave->click();
        QCOMPARE(testing::Paths(server.Requests()), (QStringList{"/update-klient.php", "/update-bank.php"}));
        COMPARE_FIELDS(
            server.Requests()[0],
            Fields{{"id", "57"}, {"name_win", "Покупатель"}, {"prim_win", ""}, {"id_manager", "1"}});
        QCOMPARE(testing::OwnFields(server.Requests()[1]).mid(0, 8).last().second,
                 QStringLiteral("770101001"));
        QCOMPARE(testing::OwnFields(server.Requests()[1]).first().second, QStringLiteral("57"));
        QVERIFY(!e.isVisible());
        QCOMPARE(e.result(), int(QDialog::Accepted));
    }

    void whatCouldNotBeReadIsNotOverwritten() {
        // The service fails the requisites and the managers while the editor opens, and answers
        // again when it saves: the buyer keeps its requisites and its manager.
        CaptureServer server;
        testing::SetTestSession(server.Url());
        server.Enqueue("сбой", 500);
        server.Enqueue("сбой", 503);
        TRecKlient rec;
        rec.ID = 8;
        rec.TypeKl = 1;
        rec.Name = QStringLiteral("Восход");
        rec.ManagerID = 3;
        TFormEditKl e(nullptr, rec);
        QVERIFY(!edit(&e, "EdInn")->isEnabled());
        QVERIFY(!e.ComBoxManager->isEnabled());
        server.Clear();
        e.EdPrim->setText(QStringLiteral("новое примечание"));
        e.ButSave->click();
        QCOMPARE(testing::Paths(server.Requests()), QStringList{"/update-klient.php"});
        COMPARE_FIELDS(server.Last(), Fields{{"id", "8"},
                                             {"name_win", "Восход"},
                                             {"prim_win", "новое примечание"},
                                             {"id_manager", "3"}});
        QCOMPARE(e.result(), int(QDialog::Accepted));
    }

    void storeUsersShowTheirAccessAndGrayedIsSavedAsTwo() {
        auto w = f.OpenAdmin();
        const int store = AddStore(QStringLiteral("Склад прав доступа"));
        QVERIFY(store > 0);
        MainWindowFixture::ClickNav(w->LBoxOptions, 3);
        StringGrid* g = find<StringGrid>(*w, "SGStore");
        g->SetRow(RowOf(g, 1, QStringLiteral("Склад прав доступа")));
        WhenShown<TFormEditKl>([&](TFormEditKl* e) {
            QCOMPARE(e->windowTitle(), QStringLiteral("Редактирование склада"));
            QCOMPARE(visibleTabs(*e), QStringList{QStringLiteral("Права доступа")});
            QCOMPARE(e->PControl->currentWidget(), e->TSRight);
            QCOMPARE(e->CLBRight->count(), int(e->ListSR.size()));
            QListWidgetItem* item = e->CLBRight->findItems(DemoLogins::UserName, Qt::MatchExactly).value(0);
            QVERIFY(item);
            QCOMPARE(item->checkState(), Qt::Checked); // a new store is open to everyone
            // Space steps through the three states as a click does: unchecked, grayed, checked.
            e->show();
            e->CLBRight->setCurrentItem(item);
            QTest::keyClick(e->CLBRight, Qt::Key_Space);
            QCOMPARE(item->checkState(), Qt::Unchecked);
            QTest::keyClick(e->CLBRight, Qt::Key_Space);
            QCOMPARE(item->checkState(), Qt::PartiallyChecked);
            e->ButSave->click();
            QCOMPARE(e->result(), int(QDialog::Accepted));
        });
        find<QPushButton>(*w, "ButEditStore")->click();
        QCOMPARE(storeLevel(store, 1), 2);

        // Reopened, the user shows grayed; the store is the user's for reports only.
        TRecKlient rec;
        rec.ID = store;
        rec.TypeKl = 10;
        {
            TFormEditKl e(w.get(), rec);
            QCOMPARE(e.CLBRight->findItems(DemoLogins::UserName, Qt::MatchExactly).value(0)->checkState(),
                     Qt::PartiallyChecked);
        }
        auto user = f.OpenUser();
        TSelectionSlot slot;
        TFormListStore picker(user.get(), slot);
        QCOMPARE(RowOf(picker.SGList, 0, QStringLiteral("Склад прав доступа")), -1);
    }

    void newStoreHasNoUsersToSetUntilSaved() {
        auto w = f.OpenAdmin();
        MainWindowFixture::ClickNav(w->LBoxOptions, 3);
        WhenShown<TFormEditKl>([&](TFormEditKl* e) {
            QCOMPARE(visibleTabs(*e), QStringList{QStringLiteral("Права доступа")});
            QCOMPARE(e->CLBRight->count(), 0);
            e->EdName->setText(QStringLiteral("Склад из редактора"));
            e->EdPrim->setText(QStringLiteral("ворота 2"));
            e->ButSave->click();
        });
        find<QPushButton>(*w, "ButInsStore")->click();
        StringGrid* g = find<StringGrid>(*w, "SGStore");
        const int row = RowOf(g, 1, QStringLiteral("Склад из редактора"));
        QVERIFY(row > 0);
        QCOMPARE(g->Cells(2, row), QStringLiteral("ворота 2"));
    }

    void managerIsSavedFromItsPage() {
        auto w = f.OpenAdmin();
        AddManager(QStringLiteral("Менеджер до правки"));
        MainWindowFixture::ClickNav(w->LBoxOptions, 10);
        StringGrid* g = find<StringGrid>(*w, "SGManager");
        g->SetRow(RowOf(g, 1, QStringLiteral("Менеджер до правки")));
        WhenShown<TFormEditKl>([&](TFormEditKl* e) {
            QCOMPARE(e->windowTitle(), QStringLiteral("Редактирование менеджера"));
            QVERIFY(!e->PControl->isVisibleTo(e));
            e->EdName->setText(QStringLiteral("Менеджер после правки"));
            e->ButSave->click();
        });
        find<QPushButton>(*w, "ButEditManager")->click();
        QVERIFY(RowOf(g, 1, QStringLiteral("Менеджер после правки")) > 0);
        QCOMPARE(RowOf(g, 1, QStringLiteral("Менеджер до правки")), -1);
    }

    void refusedSaveKeepsTheWindowOpenWithTheInput() {
        auto admin = f.OpenAdmin();
        AddKlient(QStringLiteral("Покупатель без права"), 1);
        const auto rec = klient(QStringLiteral("Покупатель без права"), 1);
        QVERIFY(rec);
        auto w = f.OpenUser(); // may not change counterparties
        TRecKlient local = *rec;
        TFormEditKl e(w.get(), local);
        e.show();
        e.EdName->setText(QStringLiteral("Переименован кассиром"));
        edit(&e, "EdInn")->setText(QStringLiteral("500100732259"));
        e.ButSave->click();
        QVERIFY(e.isVisible());
        QVERIFY(e.result() != QDialog::Accepted);
        QCOMPARE(e.EdName->text(), QStringLiteral("Переименован кассиром"));
        QCOMPARE(edit(&e, "EdInn")->text(), QStringLiteral("500100732259"));
        QCOMPARE(f.Ui->infos, QStringList{QStringLiteral("Сервер отказал: Доступ запрещен")});
        QVERIFY(klient(QStringLiteral("Покупатель без права"), 1));
    }

    void failedSaveWhileTheServiceIsDownSucceedsLater() {
        auto w = f.OpenAdmin();
        TRecKlient rec;
        rec.TypeKl = 12;
        TFormEditKl e(w.get(), rec);
        e.show();
        e.EdName->setText(QStringLiteral("Менеджер после сбоя"));
        QCOMPARE(f.Service().Stop(), 0);
        e.ButSave->click();
        QVERIFY(e.isVisible());
        QCOMPARE(e.EdName->text(), QStringLiteral("Менеджер после сбоя"));
        QVERIFY(f.Service().Start({QStringLiteral("--demo")}));
        BaseURL = f.Service().BaseUrl();
        e.ButSave->click();
        QVERIFY(!e.isVisible());
        RecordList<TRecKlient> managers;
        TFormLoad fl;
        fl.SelectManagerList(managers, QStringLiteral("Менеджер после сбоя"));
        QCOMPARE(managers.size(), size_t(1));
    }

    // A name of blanks is refused before anything is sent; the window keeps it to be corrected.
    void blankNameIsRefusedBeforeSending() {
        CaptureServer server;
        testing::SetTestSession(server.Url());
        TRecKlient rec;
        rec.TypeKl = 10;
        TFormEditKl e(nullptr, rec);
        e.show();
        e.EdName->setText(QStringLiteral(" \t "));
        e.EdPrim->setText(QStringLiteral("склад без имени"));
        e.ButSave->click();
        QVERIFY(e.isVisible());
        QCOMPARE(f.Ui->infos, QStringList{TEditorWindow::kNameWanted});
        QCOMPARE(e.EdPrim->text(), QStringLiteral("склад без имени"));
        QCOMPARE(server.Count(), 0);
    }

    void cancelSendsNothing() {
        CaptureServer server;
        testing::SetTestSession(server.Url());
        TRecKlient rec;
        rec.TypeKl = 12;
        TFormEditKl e(nullptr, rec);
        e.show();
        e.EdName->setText(QStringLiteral("не сохранять"));
        e.ButCancel->click();
        QCOMPARE(e.result(), int(QDialog::Rejected));
        QCOMPARE(server.Count(), 0);
    }
};

QTEST_MAIN(TestFormEditKl)
#include "test_form_edit_kl.moc"
