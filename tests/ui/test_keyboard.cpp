// The keyboard against the real service: Enter signs in, Ctrl+S and Ctrl+Enter save an editor,
// Insert, Enter, F2, Delete and F5 act in a journal as its buttons do, keys go to text boxes where
// they edit text, and every such button names its keys.
#include "date_picker.h"
#include "form_edit_money.h"
#include "journal_page.h"
#include "journal_shop_test.h"
#include "modal_script.h"
#include "session.h"
#include "status_bar.h"
#include "string_grid.h"
#include "tag_list_box.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QDate kToday = QDate::currentDate();

void pick(QPushButton* button, int kindEntry, const QString& name) {
    ModalScript picked;
    picked.Then([&](QWidget* p) { ChooseKlient(p, kindEntry, name); });
    button->click();
    QCOMPARE(picked.Pending(), 0);
}

// Keys go to the active window, as they do on a desktop.
bool active(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

} // namespace

class TestKeyboard : public JournalShopTest {
    Q_OBJECT

    // The money journal over the last forty days, the list holding the keyboard.
    StringGrid* journal(TMainF& w) {
        StringGrid* g = moneyJournal(w);
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w)) qWarning("main window not active");
        g->setFocus();
        return g;
    }

private Q_SLOTS:
    void enterSignsIn() {
        auto w = f.OpenAs(QStringLiteral("x@y.ru"), QString(), QStringLiteral("bad"));
        QLabel* info = find<QLabel>(*w, "LabUserInfo");
        QVERIFY(info->text() != QStringLiteral("Пользователь: Администратор"));
        find<QLineEdit>(*w, "EdLogin")->setText(DemoLogins::Admin);
        QLineEdit* pas = find<QLineEdit>(*w, "EdPas");
        pas->setText(DemoLogins::AdminPassword);
        QTest::keyClick(pas, Qt::Key_Return);
        QCOMPARE(info->text(), QStringLiteral("Пользователь: Администратор"));
        QCOMPARE(Token, DemoLogins::AdminPassword);
        QCOMPARE(find<QPushButton>(*w, "ButSaveOptions")->toolTip(),
                 QStringLiteral("Сохранить настройки (Enter)"));
    }

    void journalKeysActAsItsButtons() {
        newShop();
        auto w = openAdmin();
        StringGrid* g = journal(*w);
        const QList<QPair<const char*, QString>> tips = {
            {"ButInsMoney", QStringLiteral("Добавить (Insert)")},
            {"ButEditMoney", QStringLiteral("Изменить (Enter, F2)")},
            {"ButDelMoney", QStringLiteral("Удалить (Delete)")},
            {"ButRefMoney", QStringLiteral("Обновить (F5)")}};
        for (const auto& [name, tip] : tips)
            QCOMPARE(find<QPushButton>(*w, name)->toolTip(), tip);

        // Insert opens a new operation; Ctrl+S saves it from the box being typed in, and the
        // journal shows it.
        ModalScript added;
        added.Then([&](QWidget* d) {
            auto* e = ModalScript::As<TFormEditMoney>(d);
            QVERIFY(e);
            QVERIFY(active(e));
            QCOMPARE(e->EdSumM->text(), QStringLiteral("0.00"));
            QCOMPARE(e->ButSave->toolTip(), QStringLiteral("Сохранить (Ctrl+S, Ctrl+Enter)"));
            pick(e->ButSelI, 1, JournalShop::kCash);
            pick(e->ButSelP, 0, JournalShop::kSupplier);
            e->EdSumM->setText(QStringLiteral("75"));
            QVERIFY(active(e));
            e->EdPrim->setFocus();
            e->EdPrim->setText(QStringLiteral("с клавиатуры"));
            QTest::keyClick(e->EdPrim, Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(f.Ui->infos, QStringList());
            QCOMPARE(e->result(), int(QDialog::Accepted));
        });
        QTest::keyClick(g, Qt::Key_Insert);
        QCOMPARE(added.Pending(), 0);
        QVERIFY(noteRow(g, QStringLiteral("с клавиатуры")) > 0);
        QCOMPARE(g->Cells(5, noteRow(g, QStringLiteral("с клавиатуры"))), QStringLiteral("75.00"));

        // Enter opens the current operation; Ctrl+Enter saves the change.
        QVERIFY(active(w.get()));
        g->setFocus();
        g->SetRow(noteRow(g, QStringLiteral("с клавиатуры")));
        ModalScript changed;
        changed.Then([&](QWidget* d) {
            auto* e = ModalScript::As<TFormEditMoney>(d);
            QVERIFY(e);
            QVERIFY(active(e));
            QCOMPARE(e->EdPrim->text(), QStringLiteral("с клавиатуры"));
            e->EdPrim->setText(QStringLiteral("исправлено"));
            QTest::keyClick(e->EdSumM, Qt::Key_Return, Qt::ControlModifier);
            QCOMPARE(e->result(), int(QDialog::Accepted));
        });
        QTest::keyClick(g, Qt::Key_Return);
        QCOMPARE(changed.Pending(), 0);
        QCOMPARE(noteRow(g, QStringLiteral("с клавиатуры")), -1);
        QVERIFY(noteRow(g, QStringLiteral("исправлено")) > 0);

        // F2 opens it too.
        QVERIFY(active(w.get()));
        g->setFocus();
        g->SetRow(noteRow(g, QStringLiteral("исправлено")));
        ModalScript opened;
        opened.Then([](QWidget* d) {
            auto* e = ModalScript::As<TFormEditMoney>(d);
            QVERIFY(e);
            QCOMPARE(e->EdPrim->text(), QStringLiteral("исправлено"));
            e->reject();
        });
        QTest::keyClick(g, Qt::Key_F2);
        QCOMPARE(opened.Pending(), 0);

        // F5 reads what was stored elsewhere meanwhile.
        QVERIFY(shop.Pay(shop.Bank, shop.Supplier, 10, 0, 0, kToday, QStringLiteral("из другого окна")));
        QCOMPARE(noteRow(g, QStringLiteral("из другого окна")), -1);
        QVERIFY(active(w.get()));
        QTest::keyClick(g, Qt::Key_F5);
        QVERIFY(noteRow(g, QStringLiteral("из другого окна")) > 0);

        // Delete asks its question: "No" keeps the operation, "Yes" deletes it.
        QVERIFY(active(w.get()));
        g->setFocus();
        g->SetRow(noteRow(g, QStringLiteral("исправлено")));
        f.Ui->answers << false;
        QTest::keyClick(g, Qt::Key_Delete);
        QCOMPARE(f.Ui->questions, QStringList{TJournalPage::kDeleteQuestion});
        QVERIFY(noteRow(g, QStringLiteral("исправлено")) > 0);
        g->SetRow(noteRow(g, QStringLiteral("исправлено")));
        f.Ui->answers << true;
        QTest::keyClick(g, Qt::Key_Delete);
        QCOMPARE(f.Ui->questions.size(), 2);
        QCOMPARE(noteRow(g, QStringLiteral("исправлено")), -1);
        QVERIFY(noteRow(g, QStringLiteral("из другого окна")) > 0);

        // In the search box Delete and Enter edit and load as before: nothing is asked or opened.
        QLineEdit* search = find<QLineEdit>(*w, "EdFindMoney");
        search->setFocus();
        search->setText(QStringLiteral("zz"));
        search->setCursorPosition(0);
        QTest::keyClick(search, Qt::Key_Delete);
        QCOMPARE(search->text(), QStringLiteral("z"));
        QCOMPARE(f.Ui->questions.size(), 2);
    }

    // While a request waits for the service, keys are dropped with all other input.
    void keysWaitForTheService() {
        newShop();
        auto w = openAdmin();
        StringGrid* g = journal(*w);
        ModalScript none;
        none.Then([](QWidget* d) { ModalScript::As<QDialog>(d)->reject(); });
        WaitScript during;
        during.At(300, [&] {
            QTest::keyClick(g, Qt::Key_Insert);
            QTest::keyClick(g, Qt::Key_F5);
            f.Service().Resume();
        });
        f.Service().Pause();
        QTest::keyClick(g, Qt::Key_F5);
        f.Service().Resume();
        QCOMPARE(none.Pending(), 1);
        QCOMPARE(w->SBarInfo->PanelText(1), QStringLiteral("Ответ получен."));
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
