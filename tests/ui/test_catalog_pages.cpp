// The catalog pages against the real service: listing in key order, search, the kind filter,
// add, edit and delete with their rights and questions, the kits page, the report filters.
#include "catalog_pages.h"
#include "form_load.h"
#include "main_window_test.h"
#include "rep_sale_st_page.h"
#include "session.h"
#include "status_bar.h"
#include "string_grid.h"
#include "tag_list_box.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kDenied = QStringLiteral("Доступ запрещен. ");
const QString kDeleteStore = QStringLiteral("Склад будет полностью удален из списка. Приходные и расходные "
                                            "накладные с этим складом сохраняться. Продолжить удаление ?");

// Column 1 of every data row, top to bottom.
QStringList names(StringGrid* g) {
    QStringList out;
    for (int r = g->FixedRows(); r < g->RowCount(); ++r)
        out << g->Cells(1, r);
    return out;
}

QPoint cellCenter(StringGrid* g, int col, int row) {
    return g->visualRect(g->model()->index(row - g->FixedRows(), col)).center();
}

void doubleClick(StringGrid* g, int row) {
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCenter(g, 1, row));
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cellCenter(g, 1, row));
}

// The grid row showing a name, or -1.
int rowOf(StringGrid* g, const QString& name) {
    for (int r = g->FixedRows(); r < g->RowCount(); ++r)
        if (g->Cells(1, r) == name) return r;
    return -1;
}

// Catalog entries made through the service as the signed-in administrator.
void addStore(const QString& name, const QString& prim = QString()) {
    TRecKlient r;
    r.Name = name;
    r.Prim = prim;
    TFormLoad fl;
    QVERIFY2(fl.InsertStore(r), qPrintable(fl.MemoInfo.join(QLatin1Char('\n'))));
}

void addKlient(const QString& name, int kind) {
    TRecKlient r;
    r.Name = name;
    r.TypeKl = kind;
    TFormLoad fl;
    QVERIFY2(fl.InsertKlient(r), qPrintable(fl.MemoInfo.join(QLatin1Char('\n'))));
}

void addGood(const QString& name, double pcen, double pack) {
    TRecGood g;
    g.Name = name;
    g.PCen = pcen;
    g.Pack = pack;
    TFormLoad fl;
    QVERIFY2(fl.InsertGood(g), qPrintable(fl.MemoInfo.join(QLatin1Char('\n'))));
}

// Types text key by key, as the user does (any alphabet).
void typeText(QWidget* w, const QString& text) {
    for (const QChar ch : text) {
        QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

} // namespace

class TestCatalogPages : public MainWindowTest {
    Q_OBJECT

private Q_SLOTS:
    void storesListInKeyOrderWithIdentifier10Before9() {
        // A new account numbers its entries from the start, so the twins get 9 and 10.
        const QString login = QStringLiteral("ten-before-nine@shop.ru");
        const QString password = f.NewAccount(login);
        QVERIFY(!password.isEmpty());
        auto w = f.OpenAs(login, QString(), password);
        QCOMPARE(SignInState.flagAdmin, 1);
        for (int i = 0; i < 11; ++i)
            addStore(QStringLiteral("Склад Двойник"), QStringLiteral("копия %1").arg(i));
        addStore(QStringLiteral("Аптечный склад"));
        MainWindowFixture::ClickNav(w->LBoxOptions, 3);
        auto* page = w->Catalogs.Store;
        StringGrid* g = find<StringGrid>(*w, "SGStore");
        QCOMPARE(g->FixedRows(), 1);
        QCOMPARE(g->FixedCols(), 1);
        QCOMPARE(g->RowCount(), page->ListSort.Count() + 1);
        QCOMPARE(g->Cells(1, 0), QStringLiteral("Наименование склада"));
        QCOMPARE(g->Cells(2, 0), QStringLiteral("Примечание"));
        QCOMPARE(g->Cells(0, 0), QString());
        QCOMPARE(g->ColWidths(0), 50);
        QCOMPARE(g->ColWidths(1), 200);
        QCOMPARE(g->ColWidths(2), 300);
        // Row r shows index entry r - 1, numbered in column 0, in key order.
        QStringList keys;
        for (int r = 1; r < g->RowCount(); ++r) {
            const TRecKlient* rec = page->ListSort.Objects(r - 1);
            QCOMPARE(g->Cells(0, r), QString::number(r));
            QCOMPARE(g->Cells(1, r), rec->Name);
            QCOMPARE(g->Cells(2, r), rec->Prim);
            keys << rec->GetKey();
        }
        QCOMPARE(g->Cells(1, 1), QStringLiteral("Аптечный склад"));
        QStringList twins;
        for (const QString& k : keys)
            if (k.startsWith(QStringLiteral("Склад Двойник="))) twins << k.mid(14);
        QCOMPARE(twins.size(), 11);
        // Identifiers of equal names in text order: "10" comes before "9".
        QStringList sorted = twins;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(twins, sorted);
        QVERIFY(twins.contains(QStringLiteral("9")));
        QVERIFY(twins.indexOf(QStringLiteral("10")) >= 0);
        QVERIFY(twins.indexOf(QStringLiteral("10")) < twins.indexOf(QStringLiteral("9")));
        QCOMPARE(w->SBarInfo->PanelText(1), QStringLiteral("Ответ получен."));
    }

    void searchFiltersOnTheServiceAsYouTypeAndKeepsFocus() {
        auto w = f.OpenAdmin();
        addStore(QStringLiteral("Северный склад"));
        addStore(QStringLiteral("Южный склад"));
        MainWindowFixture::ClickNav(w->LBoxOptions, 3);
        QLineEdit* find_ = find<QLineEdit>(*w, "EdFindStore");
        w->activateWindow();
        find_->setFocus();
        // Typed in lower case; the service holds the names as typed and compares upper case.
        typeText(find_, QStringLiteral("северн"));
        QCOMPARE(names(find<StringGrid>(*w, "SGStore")), QStringList{QStringLiteral("Северный склад")});
        QVERIFY(find_->hasFocus());
        find_->clear();
        QVERIFY(names(find<StringGrid>(*w, "SGStore")).contains(QStringLiteral("Южный склад")));

        // Returning to the page reloads it with the last search text.
        find_->setText(QStringLiteral("ЮЖН"));
        MainWindowFixture::ClickNav(w->LBoxOptions, 5);
        MainWindowFixture::ClickNav(w->LBoxOptions, 3);
        QCOMPARE(names(find<StringGrid>(*w, "SGStore")), QStringList{QStringLiteral("Южный склад")});
    }

    void emptyResultLeavesOnlyTheHeaderTextsAndNothingToEdit() {
        auto w = f.OpenAdmin();
        int opened = 0;
        WindowSeams().FormEditKl = [&](QWidget*, TRecKlient&) { return ++opened, 0; };
        MainWindowFixture::ClickNav(w->LBoxOptions, 3);
        find<QLineEdit>(*w, "EdFindStore")->setText(QStringLiteral("такого склада нет"));
        StringGrid* g = find<StringGrid>(*w, "SGStore");
        QCOMPARE(g->RowCount(), 1);
        QCOMPARE(g->FixedRows(), 0);
        QCOMPARE(g->Cells(1, 0), QStringLiteral("Наименование склада"));
        doubleClick(g, 0);
        find<QPushButton>(*w, "ButEditStore")->click();
        find<QPushButton>(*w, "ButDelStore")->click();
        QCOMPARE(opened, 0);
        QVERIFY(f.Ui->questions.isEmpty());
    }

    void deleteAsksWithNoPreselectedAndDeletesTheCurrentRow() {
        auto w = f.OpenAdmin();
        addStore(QStringLiteral("Склад на удаление"));
        addStore(QStringLiteral("Склад остается"));
        MainWindowFixture::ClickNav(w->LBoxOptions, 3);
        StringGrid* g = find<StringGrid>(*w, "SGStore");
        const int row = rowOf(g, QStringLiteral("Склад на удаление"));
        QVERIFY(row > 0);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCenter(g, 1, row));
        QCOMPARE(g->Row(), row);

        f.Ui->answers << false;
        find<QPushButton>(*w, "ButDelStore")->click();
        QCOMPARE(f.Ui->questions, QStringList{kDeleteStore});
        QCOMPARE(f.Ui->questionDefaults, QList<bool>{false});
        QVERIFY(rowOf(g, QStringLiteral("Склад на удаление")) > 0);

        f.Ui->answers << true;
        g->SetRow(rowOf(g, QStringLiteral("Склад на удаление")));
        find<QPushButton>(*w, "ButDelStore")->click();
        QCOMPARE(rowOf(g, QStringLiteral("Склад на удаление")), -1);
        QVERIFY(rowOf(g, QStringLiteral("Склад остается")) > 0);
    }

    void addAndEditOpenTheEditorAndReloadAfterwards() {
        auto w = f.OpenAdmin();
        addStore(QStringLiteral("Склад для правки"));
        QList<TRecKlient> given;
        WindowSeams().FormEditKl = [&](QWidget*, TRecKlient& r) {
            given << r;
            // The editor saves: a new store, or the changed name.
            TFormLoad fl;
            if (r.ID == 0) {
                r.Name = QStringLiteral("Новый склад из редактора");
                fl.InsertStore(r);
            } else {
                r.Name += QStringLiteral(" (изменен)");
                fl.UpdateStore(r);
            }
            return 1;
        };
        MainWindowFixture::ClickNav(w->LBoxOptions, 3);
        StringGrid* g = find<StringGrid>(*w, "SGStore");
        find<QPushButton>(*w, "ButInsStore")->click();
        QCOMPARE(given.size(), 1);
        QCOMPARE(given[0].TypeKl, 10);
        QCOMPARE(given[0].ID, 0);
        QVERIFY(rowOf(g, QStringLiteral("Новый склад из редактора")) > 0);

        const int row = rowOf(g, QStringLiteral("Склад для правки"));
        doubleClick(g, row);
        QCOMPARE(given.size(), 2);
        QCOMPARE(given[1].Name, QStringLiteral("Склад для правки"));
        QVERIFY(given[1].ID > 0);
        QVERIFY(rowOf(g, QStringLiteral("Склад для правки (изменен)")) > 0);

        // Closed without saving: reloaded all the same.
        WindowSeams().FormEditKl = [&](QWidget*, TRecKlient&) { return 0; };
        addStore(QStringLiteral("Появился пока открыт"));
        find<QPushButton>(*w, "ButEditStore")->click();
        QVERIFY(rowOf(g, QStringLiteral("Появился пока открыт")) > 0);
    }

    void kindFilterReloadsAndGivesNewEntriesItsKind() {
        auto w = f.OpenAdmin();
        addKlient(QStringLiteral("Покупатель Иванов"), 1);
        addKlient(QStringLiteral("Аренда офиса"), 3);
        addKlient(QStringLiteral("Касса магазина"), 2);
        QList<int> kinds;
        WindowSeams().FormEditKl = [&](QWidget*, TRecKlient& r) { return kinds << r.TypeKl, 0; };
        MainWindowFixture::ClickNav(w->LBoxOptions, 2);
        StringGrid* g = find<StringGrid>(*w, "SGKlient");
        QVERIFY(rowOf(g, QStringLiteral("Покупатель Иванов")) > 0);
        QCOMPARE(rowOf(g, QStringLiteral("Аренда офиса")), -1);

        QComboBox* kind = find<QComboBox>(*w, "ComBoxTypeKl");
        QCOMPARE(kind->count(), 4);
        QCOMPARE(kind->itemText(2), QStringLiteral("Накладные расходы"));
        kind->setCurrentIndex(2);
        QVERIFY(rowOf(g, QStringLiteral("Аренда офиса")) > 0);
        QCOMPARE(rowOf(g, QStringLiteral("Покупатель Иванов")), -1);
        for (int i = 0; i < w->Catalogs.Klient->ListSort.Count(); ++i)
            QCOMPARE(w->Catalogs.Klient->ListSort.Objects(i)->TypeKl, 3);
        find<QPushButton>(*w, "ButInsKl")->click();
        QCOMPARE(kinds, QList<int>{3});

        // The question follows the kind filter.
        g->SetRow(rowOf(g, QStringLiteral("Аренда офиса")));
        f.Ui->answers << false;
        find<QPushButton>(*w, "ButDelKl")->click();
        kind->setCurrentIndex(1);
        g->SetRow(rowOf(g, QStringLiteral("Касса магазина")));
        f.Ui->answers << false;
        find<QPushButton>(*w, "ButDelKl")->click();
        QCOMPARE(f.Ui->questions,
                 (QStringList{
                     QStringLiteral("Счет будет полностью удален из списка. Все операции с этим счетом "
                                    "сохраняться. Продолжить удаление ?"),
                     QStringLiteral("Расчетный счет/касса будет полностью удален из списка. Все операции "
                                    "с этим расчетным счетом/кассой сохраняться. Продолжить удаление ?")}));
        // The filter keeps its entry across visits.
        MainWindowFixture::ClickNav(w->LBoxOptions, 5);
        MainWindowFixture::ClickNav(w->LBoxOptions, 2);
        QCOMPARE(kind->currentIndex(), 1);
        QVERIFY(rowOf(g, QStringLiteral("Касса магазина")) > 0);
    }

    void buttonsCheckTheirRightsFirst() {
        auto admin = f.OpenAdmin();
        addStore(QStringLiteral("Склад кассира"));
        addGood(QStringLiteral("Товар кассира"), 1, 1);
        auto w = f.OpenUser();
        int opened = 0;
        WindowSeams().FormEditKl = [&](QWidget*, TRecKlient&) { return ++opened, 0; };
        WindowSeams().FormEditGood = [&](QWidget*, TRecGood&) { return ++opened, 0; };
        WindowSeams().FormEditGroup = [&](QWidget*, TRecKlient&) { return ++opened, 0; };
        const QList<QPair<int, QList<const char*>>> pages = {
            {3, {"ButInsStore", "ButEditStore", "ButDelStore"}},
            {1, {"ButInsGood", "ButEditGood", "ButDelGood"}},
            {8, {"ButInsGroup", "ButEditGroup", "ButDelGroup"}},
            {2, {"ButInsKl", "ButEditKl", "ButDelKl"}},
            {10, {"ButInsManager", "ButEditManager", "ButDelManager"}},
        };
        int refusals = 0;
        for (const auto& [tag, buttons] : pages) {
            MainWindowFixture::ClickNav(w->LBoxOptions, tag);
            for (const char* b : buttons) {
                find<QPushButton>(*w, b)->click();
                QCOMPARE(f.Ui->infos.size(), ++refusals);
                QCOMPARE(f.Ui->infos.last(), kDenied);
            }
        }
        QCOMPARE(opened, 0);
        QVERIFY(f.Ui->questions.isEmpty());
        QVERIFY(rowOf(find<StringGrid>(*w, "SGGood"), QStringLiteral("Товар кассира")) > 0);
    }

    void goodsShowPricesAndPacksAndPurchasePricesOnlyWithTheRight() {
        auto admin = f.OpenAdmin();
        addGood(QStringLiteral("Гвозди 100 мм"), 12.5, 12);
        addGood(QStringLiteral("Гвозди на развес"), 0.125, 0.25);
        MainWindowFixture::ClickNav(admin->LBoxOptions, 1);
        StringGrid* g = find<StringGrid>(*admin, "SGGood");
        QCOMPARE(g->ColCount(), 5);
        QCOMPARE(g->Cells(3, 0), QStringLiteral("Закуп.цена"));
        int row = rowOf(g, QStringLiteral("Гвозди 100 мм"));
        QVERIFY(row > 0);
        QCOMPARE(g->Cells(2, row), QStringLiteral("12.50"));
        QCOMPARE(g->Cells(3, row), QStringLiteral("0.00"));
        QCOMPARE(g->Cells(4, row), QStringLiteral("12"));
        row = rowOf(g, QStringLiteral("Гвозди на развес"));
        QCOMPARE(g->Cells(2, row), QStringLiteral("0.13"));
        QCOMPARE(g->Cells(4, row), QStringLiteral("0.250"));

        auto w = f.OpenUser();
        MainWindowFixture::ClickNav(w->LBoxOptions, 1);
        g = find<StringGrid>(*w, "SGGood");
        QCOMPARE(g->Cells(3, 0), QStringLiteral("Закуп.цена"));
        row = rowOf(g, QStringLiteral("Гвозди 100 мм"));
        QCOMPARE(g->Cells(2, row), QStringLiteral("12.50"));
        QCOMPARE(g->Cells(3, row), QString());
    }

    void kitsAreOnlyListed() {
        auto w = f.OpenAdmin();
        int opened = 0;
        WindowSeams().FormEditGood = [&](QWidget*, TRecGood&) { return ++opened, 0; };
        MainWindowFixture::ClickNav(w->LBoxOptions, 7);
        QCOMPARE(w->CurrentPage()->objectName(), QStringLiteral("TSNorm"));
        for (const char* b : {"ButInsNorm", "ButEditNorm", "ButDelNorm"}) {
            QVERIFY(!find<QPushButton>(*w, b)->isEnabled());
            find<QPushButton>(*w, b)->click();
        }
        StringGrid* g = find<StringGrid>(*w, "SGNorm");
        QCOMPARE(g->ColCount(), 4);
        doubleClick(g, g->FixedRows());
        QCOMPARE(opened, 0);
        QVERIFY(f.Ui->infos.isEmpty());
        QVERIFY(f.Ui->questions.isEmpty());
        // Typing still searches.
        find<QLineEdit>(*w, "EdFindNorm")->setText(QStringLiteral("нет такого комплекта"));
        QCOMPARE(g->RowCount(), 1);
    }

    void usersPageListsAndDeletesUsers() {
        auto w = f.OpenAdmin();
        MainWindowFixture::ClickNav(w->LBoxOptions, 9);
        StringGrid* g = find<StringGrid>(*w, "SGUser");
        QCOMPARE(g->Cells(1, 0), QStringLiteral("Пользователь"));
        QCOMPARE(g->Cells(2, 0), QStringLiteral("E-Mail(логин) пользователя"));
        const int row = rowOf(g, DemoLogins::UserName);
        QVERIFY(row > 0);
        QCOMPARE(g->Cells(2, row), DemoLogins::User);
        g->SetRow(row);
        f.Ui->answers << false;
        find<QPushButton>(*w, "ButDelUser")->click();
        QCOMPARE(f.Ui->questions,
                 QStringList{QStringLiteral("Пользователь будет заблокирован и удален из списка ! Продолжить "
                                            "удаление ?")});
        QVERIFY(rowOf(g, DemoLogins::UserName) > 0);
    }

    void reportFiltersOfferStoresAndManagers() {
        auto w = f.OpenAdmin();
        addStore(QStringLiteral("Склад для отчета"));
        TRecKlient m;
        m.Name = QStringLiteral("Менеджер Петров");
        m.TypeKl = 12;
        TFormLoad fl;
        QVERIFY(fl.InsertManager(m));
        RecordList<TRecKlient> stores;
        fl.SelectStoreList(stores, QString());

        MainWindowFixture::ClickNav(w->LBoxRep, 3);
        QComboBox* storeBox = find<QComboBox>(*w, "ComBoxStoreRSS");
        QCOMPARE(storeBox->count(), static_cast<int>(stores.size()) + 1);
        QCOMPARE(storeBox->itemText(0), QStringLiteral("(все)"));
        QCOMPARE(storeBox->itemData(0).toInt(), -1);
        for (size_t i = 0; i < stores.size(); ++i) {
            QCOMPARE(storeBox->itemText(int(i) + 1), stores[i]->Name); // in the service's order
            QCOMPARE(storeBox->itemData(int(i) + 1).toInt(), stores[i]->ID);
        }
        QComboBox* managers = find<QComboBox>(*w, "ComBoxManagerRSS");
        QCOMPARE(managers->itemText(0), QStringLiteral("(все)"));
        QVERIFY(managers->findText(QStringLiteral("Менеджер Петров")) > 0);

        // Opened again: filled afresh and back on "(все)".
        storeBox->setCurrentIndex(1);
        MainWindowFixture::ClickNav(w->LBoxRep, 3);
        QCOMPARE(storeBox->currentIndex(), 0);
        QCOMPARE(storeBox->count(), static_cast<int>(stores.size()) + 1);
    }

    // With the service gone a page keeps what it listed and says why, and so does a delete; a
    // report whose filters cannot be filled is not run.
    void pagesStayUsableWhenTheServiceIsDown() {
        auto w = f.OpenAdmin();
        MainWindowFixture::ClickNav(w->LBoxOptions, 3);
        StringGrid* g = find<StringGrid>(*w, "SGStore");
        const int listed = g->RowCount();
        const QString first = g->Cells(1, 1);
        QVERIFY(listed > 2);
        BaseURL = QStringLiteral("http://127.0.0.1:9");
        const QString why = QStringLiteral("Нет связи с сервером http://127.0.0.1:9: сервер не отвечает");
        find<QLineEdit>(*w, "EdFindStore")->setText(QStringLiteral("x"));
        QCOMPARE(g->RowCount(), listed);
        QCOMPARE(g->Cells(1, 1), first);
        QCOMPARE(w->SBarInfo->PanelText(1), why);
        f.Ui->answers.enqueue(true);
        find<QPushButton>(*w, "ButDelStore")->click();
        QCOMPARE(f.Ui->infos, QStringList{why});
        QCOMPARE(g->RowCount(), listed);
        MainWindowFixture::ClickNav(w->LBoxRep, 1);
        QCOMPARE(find<QComboBox>(*w, "ComBoxStore")->count(), 0);
        QCOMPARE(w->SBarInfo->PanelText(1), why);
    }
};

QTEST_MAIN(TestCatalogPages)
#include "test_catalog_pages.moc"
