// The user editor: the rights list with its headers, the day limits, read-then-write of exactly
// the rights the service listed, the users page that opens it, the new-password button, a new
// user, and a refused or failed save that keeps the input. Against the real service; what is
// written for rights the service did not list is checked on a capture server.
#include "capture_server.h"
#include "catalog_window_test.h"
#include "demo_session.h"
#include "form_edit_user.h"
#include "request_fields.h"
#include "right_codes.h"
#include "tag_list_box.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace catalog_test;
using testing::Fields;

namespace {

// The rights list as the editor must show it: text and code, headers with code 0.
const QList<QPair<QString, int>>& expectedItems() {
    static const QList<QPair<QString, int>> items{
        {"Доступ к документам", 0},
        {"Просмотр приходных накладных", 1001},
        {"Полный доступ к приходным накладным", 1002},
        {"Запрет удаления приходных накладных", 1004},
        {"Просмотр расходных накладных", 2001},
        {"Полный доступ к расходным накладным", 2002},
        {"Запрет удаления расходных накладных", 2004},
        {"Просмотр заказов (счетов)", 7001},
        {"Полный доступ к заказам (счетам)", 7002},
        {"Запрет удаления заказов(счетов)", 7004},
        {"Просмотр внутренних накладных", 3001},
        {"Полный доступ к внутренним накладным", 3002},
        {"Запрет удаления внутренних накладных", 3004},
        {"Просмотр операций с деньгами", 4001},
        {"Полный доступ к операциям с деньгами", 4002},
        {"Запрет удаления операций с деньгами", 4004},
        {"Доступ к спискам", 0},
        {"Изменение товаров", 5001},
        {"Изменение комплектов", 5002},
        {"Изменение поставщиков,покупателей,счетов", 5003},
        {"Изменение складов", 5004},
        {"Доступ к закупочным ценам", 5005},
        {"Началные остатки товаров и денег", 5006},
        {"Доступ к отчетам", 0},
        {"Остатки товаров", 6001},
        {"Карточка перемещений товара", 6002},
        {"Структура продаж", 6003},
        {"Динамика продаж", 6004},
        {"Долги и остатки денег", 6005},
        {"Карточка взаиморасчетов", 6006},
        {"Структура покупок", 6007},
        {"Динамика покупок", 6008},
        {"Остатки и оборот товаров", 6009},
        {"Структура перемещений", 6010},
    };
    return items;
}

const QStringList kDayBoxes = {"EdUR1003", "EdUR2003", "EdUR7003", "EdUR3003", "EdUR4003"};

// A user of the demo account made for one test, as the service lists it.
TRecUser newUser(const QString& name, const QString& login) {
    TRecUser u;
    u.UserName = name;
    u.DopLogin = login;
    TFormLoad fl;
    if (!fl.InsertUser(u)) qWarning("%s", qPrintable(Log(fl)));
    RecordList<TRecUser> l;
    fl.SelectUserList(l, login);
    return l.size() == 1 ? *l.front() : TRecUser();
}

QMap<int, int> rightsOf(int user) {
    TSortedList<TRecUserRights> l;
    TFormLoad fl;
    fl.SelectUserRights(user, l);
    QMap<int, int> out;
    for (int i = 0; i < l.Count(); ++i)
        out.insert(l.Objects(i)->idRight, l.Objects(i)->ur);
    return out;
}

QListWidgetItem* itemOf(const TFormEditUser& e, int code) {
    for (int i = 0; i < e.CLBoxUR->count(); ++i)
        if (TFormEditUser::CodeOf(e.CLBoxUR->item(i)) == code) return e.CLBoxUR->item(i);
    return nullptr;
}

} // namespace

class TestFormEditUser : public MainWindowTest {
    Q_OBJECT

private Q_SLOTS:
    void opensWithTheRightsAndDayLimitsTheServiceListed() {
        auto w = f.OpenAdmin();
        const TRecUser user = newUser(QStringLiteral("Кладовщик"), QStringLiteral("sklad@kovrel.local"));
        QVERIFY(user.ID > 0);
        {
            TSortedList<TRecUserRights> l;
            TFormLoad fl;
            fl.SelectUserRights(user.ID, l);
            for (const auto& [code, value] :
                 {std::pair{1001, 1}, {1002, 1}, {5005, 1}, {6001, 1}, {2003, 15}, {4003, 7}, {1004, 0}})
                l.Find(QString::number(code))->ur = value;
            QVERIFY(fl.UpdateUserRights(user.ID, l));
        }
        TRecUser local = user;
        TFormEditUser e(w.get(), local);
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        QCOMPARE(e.windowTitle(), QStringLiteral("Редактирование пользователя"));
        QCOMPARE(e.size(), QSize(484, 681));
        QCOMPARE(e.font().pixelSize(), 13);
        QCOMPARE(e.EdName->text(), QStringLiteral("Кладовщик"));
        QCOMPARE(e.EdPrim->text(), QStringLiteral("sklad@kovrel.local"));
        const QList<QPair<QString, QWidget*>> rows = LabelledRows(&e);
        QCOMPARE(rows.mid(0, 2),
                 (QList<QPair<QString, QWidget*>>{{"<left>Имя пользователя", e.EdName},
                                                  {"<left>Логин (E-Mail) пользлвателя", e.EdPrim}}));
        QVERIFY(e.EdName->x() + e.EdName->width() <= e.width());
        QVERIFY(e.ButNewPas->x() + e.ButNewPas->width() <= e.width());
        QCOMPARE(e.EdName->width(), 280);
        QCOMPARE(e.EdPrim->width(), 280);
        QCOMPARE(e.ButNewPas->text(), QStringLiteral("Отправить пользователю новый пароль"));
        QCOMPARE(e.ButNewPas->height(), 25);
        QVERIFY(e.ButNewPas->width() >= 280); // or wider, where the font's caption needs it
        QVERIFY(e.ButNewPas->isEnabled());
        QVERIFY(e.CLBoxUR->isEnabled());

        QCOMPARE(e.CLBoxUR->count(), expectedItems().size());
        const QMap<int, int> listed = rightsOf(user.ID);
        for (int i = 0; i < e.CLBoxUR->count(); ++i) {
            const QListWidgetItem* item = e.CLBoxUR->item(i);
            const auto& [text, code] = expectedItems()[i];
            QCOMPARE(item->text(), text);
            QCOMPARE(TFormEditUser::CodeOf(item), code);
            if (code == 0) {
                QVERIFY(!(item->flags() & Qt::ItemIsUserCheckable));
                QVERIFY(!item->data(Qt::CheckStateRole).isValid());
                QCOMPARE(item->background().color(), e.CLBoxUR->palette().toolTipBase().color());
            } else {
                QVERIFY(item->flags() & Qt::ItemIsUserCheckable);
                QCOMPARE(item->checkState() == Qt::Checked, listed.value(code) == 1);
            }
        }
        QCOMPARE(itemOf(e, 1002)->checkState(), Qt::Checked);
        QCOMPARE(itemOf(e, 2001)->checkState(), Qt::Unchecked);

        // The five day limits, labelled, top to bottom, with the values listed.
        QCOMPARE(rows.size(), 7);
        const QStringList labels = {
            "Блокировка приходных накладных через ... дней", "Блокировка расходных накладных через ... дней",
            "Блокировка заказов (счетов) через ... дней", "Блокировка внутренних накладных через ... дней",
            "Блокировка операций с деньгами через ... дней"};
        const QStringList values = {"0", "15", "0", "0", "7"};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(rows[i + 2].first, labels[i]);
            QCOMPARE(rows[i + 2].second->objectName(), kDayBoxes[i]);
            auto* box = static_cast<QLineEdit*>(rows[i + 2].second);
            QCOMPARE(box->width(), 68);
            QCOMPARE(box->text(), values[i]);
        }
        // Up to three digits may be typed.
        QLineEdit* box = e.DayLimitBoxes[0];
        box->clear();
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("12a34"));
        QCOMPARE(box->text(), QStringLiteral("123"));
    }

    void savingFromTheUsersPageWritesTheListedRights() {
        auto w = f.OpenAdmin();
        const TRecUser user = newUser(QStringLiteral("Продавец"), QStringLiteral("prodavec@kovrel.local"));
        {
            TSortedList<TRecUserRights> l;
            TFormLoad fl;
            fl.SelectUserRights(user.ID, l);
            l.Find(QStringLiteral("2001"))->ur = 1;
            l.Find(QStringLiteral("2003"))->ur = 9;
            QVERIFY(fl.UpdateUserRights(user.ID, l));
        }
        MainWindowFixture::ClickNav(w->LBoxOptions, 9);
        StringGrid* g = find<StringGrid>(*w, "SGUser");
        g->SetRow(RowOf(g, 1, QStringLiteral("Продавец")));
        WhenShown<TFormEditUser>([&](TFormEditUser* e) {
            QCOMPARE(e->LocalRec.ID, user.ID);
            // Only "Полный доступ к приходным накладным" stays checked.
            for (int i = 0; i < e->CLBoxUR->count(); ++i)
                if (TFormEditUser::CodeOf(e->CLBoxUR->item(i)))
                    e->CLBoxUR->item(i)->setCheckState(Qt::Unchecked);
            itemOf(*e, 1002)->setCheckState(Qt::Checked);
            e->DayLimitBoxes[0]->setText(QStringLiteral("30"));
            e->DayLimitBoxes[1]->clear();
            e->EdName->setText(QStringLiteral(" Продавец-консультант "));
            e->ButSave->click();
            QCOMPARE(e->result(), int(QDialog::Accepted));
        });
        find<QPushButton>(*w, "ButEditUser")->click();
        QVERIFY(RowOf(g, 1, QStringLiteral("Продавец-консультант")) > 0);
        const QMap<int, int> saved = rightsOf(user.ID);
        for (const RightCode& r : AllRightCodes()) {
            if (r.kind == RightKind::DaysLock) continue;
            QCOMPARE(saved.value(r.code, -1), r.code == 1002 ? 1 : 0);
        }
        QCOMPARE(saved.value(1003), 30);
        QCOMPARE(saved.value(2003), 0);
    }

    void newUserGetsRightsOnlyAfterTheFirstSave() {
        auto w = f.OpenAdmin();
        MainWindowFixture::ClickNav(w->LBoxOptions, 9);
        WhenShown<TFormEditUser>([&](TFormEditUser* e) {
            QCOMPARE(e->LocalRec.ID, 0);
            QVERIFY(!e->ButNewPas->isEnabled());
            QVERIFY(!e->CLBoxUR->isEnabled());
            for (QLineEdit* box : e->DayLimitBoxes) {
                QVERIFY(!box->isEnabled());
                QCOMPARE(box->text(), QStringLiteral("0"));
            }
            QCOMPARE(e->ListUR.Count(), 0);
            e->EdName->setText(QStringLiteral("Новый сотрудник"));
            e->EdPrim->setText(QStringLiteral(" novy@kovrel.local "));
            e->ButSave->click();
            QCOMPARE(e->result(), int(QDialog::Accepted));
        });
        find<QPushButton>(*w, "ButInsUser")->click();
        StringGrid* g = find<StringGrid>(*w, "SGUser");
        const int row = RowOf(g, 1, QStringLiteral("Новый сотрудник"));
        QVERIFY(row > 0);
        QCOMPARE(g->Cells(2, row), QStringLiteral("novy@kovrel.local"));
    }

    void onlyTheRightsTheServiceListedAreWritten() {
        CaptureServer server;
        testing::SetTestSession(server.Url());
        server.Enqueue(R"([{"id_right":1001,"ur":1},{"id_right":1003,"ur":5},{"id_right":6001,"ur":0}])");
        TRecUser rec;
        rec.ID = 4;
        rec.UserName = QStringLiteral("Кассир");
        rec.DopLogin = QStringLiteral("kassa@shop.ru");
        TFormEditUser e(nullptr, rec);
        COMPARE_FIELDS(server.Last(), Fields{{"id", "4"}});
        QCOMPARE(itemOf(e, 1001)->checkState(), Qt::Checked);
        QCOMPARE(e.DayLimitBoxes[0]->text(), QStringLiteral("5"));
        QCOMPARE(e.DayLimitBoxes[1]->text(), QStringLiteral("0"));
        itemOf(e, 1002)->setCheckState(Qt::Checked); // can be checked, is not listed
        itemOf(e, 6001)->setCheckState(Qt::Checked);
        itemOf(e, 1001)->setCheckState(Qt::Unchecked);
        e.DayLimitBoxes[0]->setText(QStringLiteral(" "));
        e.DayLimitBoxes[1]->setText(QStringLiteral("45")); // 2003 was not listed either
        server.Clear();
        e.ButSave->click();
        QCOMPARE(testing::Paths(server.Requests()),
                 (QStringList{"/update-user.php", "/update-user-rights.php"}));
        COMPARE_FIELDS(
            server.Requests()[0],
            Fields{{"id", "4"}, {"user_name_win", "Кассир"}, {"user_dop_login_win", "kassa@shop.ru"}});
        COMPARE_FIELDS(server.Requests()[1],
                       Fields{{"id", "4"}, {"UR1001", "0"}, {"UR1003", "0"}, {"UR6001", "1"}});
    }

    void newUserQueriesRightsWithIdentifierZeroAndIsOnlyInserted() {
        CaptureServer server;
        testing::SetTestSession(server.Url());
        TRecUser rec;
        TFormEditUser e(nullptr, rec);
        QCOMPARE(testing::Paths(server.Requests()), QStringList{"/get-user-rights.php"});
        COMPARE_FIELDS(server.Last(), Fields{{"id", "0"}});
        e.EdName->setText(QStringLiteral("Новый"));
        e.EdPrim->setText(QStringLiteral("new@shop.ru"));
        server.Clear();
        e.ButSave->click();
        QCOMPARE(testing::Paths(server.Requests()), QStringList{"/insert-user.php"});
        QCOMPARE(e.result(), int(QDialog::Accepted));
    }

    void newPasswordGoesToTheLoginAsTyped() {
        auto w = f.OpenAdmin();
        TRecUser user = newUser(QStringLiteral("Экспедитор"), QStringLiteral("exp@kovrel.local"));
        TFormEditUser e(w.get(), user);
        const qsizetype mails = f.Service().Mail().size();
        e.EdName->setText(QStringLiteral("Экспедитор (не сохранен)"));
        e.EdPrim->setText(QStringLiteral("  exp@kovrel.local "));
        e.ButNewPas->click();
        QCOMPARE(f.Ui->infos,
                 QStringList{QStringLiteral("Пароль отправлен на электронную почту пользователя.")});
        QCOMPARE(f.Service().Mail().size(), mails + 1);
        QCOMPARE(ServerProcess::HeaderOf(f.Service().Mail().last(), "To"), QByteArray("exp@kovrel.local"));
        QCOMPARE(user.DopLogin, QStringLiteral("exp@kovrel.local"));
        QCOMPARE(user.UserName, QStringLiteral("Экспедитор")); // the other changes are not sent
        // A changed login that has not been saved: the service will not mail it, and says why.
        e.EdPrim->setText(QStringLiteral("other@kovrel.local"));
        e.ButNewPas->click();
        QCOMPARE(f.Ui->infos.size(), 2);
        QVERIFY2(f.Ui->infos[1].startsWith(QStringLiteral("Сервер отказал: ")), qPrintable(f.Ui->infos[1]));
        QCOMPARE(f.Service().Mail().size(), mails + 1);
        QCOMPARE(user.DopLogin, QStringLiteral("other@kovrel.local"));
    }

    void refusedOrFailedSaveKeepsTheWindowOpenWithTheInput() {
        auto w = f.OpenUser(); // reads his own rights, may not change users
        TRecUser self;
        self.ID = SignInState.userID;
        self.UserName = DemoLogins::UserName;
        self.DopLogin = DemoLogins::User;
        TFormEditUser e(w.get(), self);
        e.show();
        QVERIFY(e.ListUR.Count() > 0);
        e.EdName->setText(QStringLiteral("Главный кассир"));
        e.DayLimitBoxes[2]->setText(QStringLiteral("99"));
        e.ButSave->click();
        QVERIFY(e.isVisible());
        QCOMPARE(e.EdName->text(), QStringLiteral("Главный кассир"));
        QCOMPARE(e.DayLimitBoxes[2]->text(), QStringLiteral("99"));

        BaseURL = QStringLiteral("http://127.0.0.1:9"); // nothing answers there
        e.ButSave->click();
        QVERIFY(e.isVisible());
        QCOMPARE(e.EdName->text(), QStringLiteral("Главный кассир"));
        // Each refusal said once why: the service's, then the connection's.
        QCOMPARE(f.Ui->infos.size(), 2);
        QVERIFY(f.Ui->infos[0].startsWith(QStringLiteral("Сервер отказал: ")));
        QVERIFY(f.Ui->infos[1].startsWith(QStringLiteral("Нет связи с сервером http://127.0.0.1:9: ")));
        QVERIFY(f.Ui->infos[1].contains(QStringLiteral("127.0.0.1")));

        e.EdName->setText(QStringLiteral("  "));
        e.ButSave->click();
        QCOMPARE(f.Ui->infos.last(), QStringLiteral("Необходимо указать имя пользователя !"));
        QVERIFY(e.isVisible());
    }
};

QTEST_MAIN(TestFormEditUser)
#include "test_form_edit_user.moc"
