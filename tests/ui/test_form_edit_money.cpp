// The money operation editor, opened from the money journal against the real service with the
// real counterparty picker: read-only without the full right or past the days lock, the party
// pickers, the save guard, how amounts and links are read, a refused save and what it says.
#include "date_picker.h"
#include "date_time.h"
#include "form_edit_money.h"
#include "journal_shop_test.h"
#include "modal_script.h"
#include "right_codes.h"
#include "string_grid.h"
#include "tag_list_box.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QDate kToday = QDate::currentDate();

// The editor's inputs, "Сохранить" included.
QList<QWidget*> inputs(TFormEditMoney* e) {
    return {e->ButSelI, e->ButSelP, e->DTPDat, e->EdSumM, e->EdPrim, e->EdDocN, e->EdInvoiceN, e->ButSave};
}

// Picks a party with one of the editor's two buttons.
void pick(QPushButton* button, int kindEntry, const QString& name) {
    ModalScript picked;
    picked.Then([&](QWidget* p) { ChooseKlient(p, kindEntry, name); });
    button->click();
    QCOMPARE(picked.Pending(), 0);
}

} // namespace

class TestFormEditMoney : public JournalShopTest {
    Q_OBJECT

    // Runs `act` in the editor that the button opens on the operation of that note (or on a new
    // one without a note); false when no editor came.
    bool inEditor(TMainF& w, const char* button, const QString& prim,
                  const std::function<void(TFormEditMoney*)>& act) {
        StringGrid* g = moneyJournal(w);
        if (!prim.isEmpty()) g->SetRow(noteRow(g, prim));
        ModalScript edit;
        edit.Then([&](QWidget* d) {
            auto* e = ModalScript::As<TFormEditMoney>(d);
            QVERIFY(e);
            act(e);
        });
        find<QPushButton>(w, button)->click();
        return edit.Pending() == 0;
    }

    std::optional<TRecMoney> stored(const QString& prim) {
        for (const auto& m : shop.Payments(kToday.addDays(-40), kToday))
            if (m->Prim == prim) return *m;
        return std::nullopt;
    }

private Q_SLOTS:
    void viewersAndLockedOperationsOnlyShow() {
        newShop();
        QVERIFY(shop.Pay(shop.Cash, shop.Supplier, 250, 0, 0, kToday.addDays(-30), QStringLiteral("старая")));
        QVERIFY(shop.Pay(shop.Cash, shop.Supplier, 80, 0, 0, kToday.addDays(-3), QStringLiteral("свежая")));
        auto w = openCashier({{Right::MoneyView, 1}});

        {
            ModalScript none;
            none.Then([](QWidget* d) { ModalScript::As<QDialog>(d)->reject(); });
            moneyJournal(*w);
            find<QPushButton>(*w, "ButInsMoney")->click();
            QCOMPARE(f.Ui->infos, QStringList{QStringLiteral("Доступ запрещен. ")});
            QCOMPARE(none.Pending(), 1);
        }

        QVERIFY(inEditor(*w, "ButEditMoney", QStringLiteral("свежая"), [&](TFormEditMoney* e) {
            for (QWidget* input : inputs(e))
                QVERIFY2(!input->isEnabled(), qPrintable(input->objectName()));
            QCOMPARE(e->LabI->text(), JournalShop::kCash);
            QCOMPARE(e->LabP->text(), JournalShop::kSupplier);
            QCOMPARE(e->EdSumM->text(), QStringLiteral("80.00"));
            QCOMPARE(e->DTPDat->date(), kToday.addDays(-3));
            QVERIFY(e->ButCancel->isEnabled());
            e->ButCancel->click();
            QCOMPARE(e->result(), int(QDialog::Rejected));
        }));

        // With the full right, the days lock decides.
        QVERIFY(shop.SetUserRights({{Right::MoneyFull, 1}, {Right::MoneyLock, 10}}));
        w = openCashier();
        for (const auto& [prim, editable] :
             {std::pair{QStringLiteral("старая"), false}, {QStringLiteral("свежая"), true}})
            QVERIFY(inEditor(*w, "ButEditMoney", prim, [&](TFormEditMoney* e) {
                for (QWidget* input : inputs(e))
                    QCOMPARE(input->isEnabled(), editable);
                e->reject();
            }));
    }

    void addPickBothPartiesAndStore() {
        newShop();
        auto w = openAdmin();
        QVERIFY(inEditor(*w, "ButInsMoney", QString(), [&](TFormEditMoney* e) {
            QCOMPARE(e->DTPDat->date(), kToday);
            QCOMPARE(e->LabI->text(), QString());
            QCOMPARE(e->EdSumM->text(), QStringLiteral("0.00"));
            QCOMPARE(e->EdDocN->text(), QStringLiteral("0"));
            QCOMPARE(e->EdInvoiceN->text(), QStringLiteral("0"));
            pick(e->ButSelI, 1, JournalShop::kBank);
            pick(e->ButSelP, 0, JournalShop::kSupplier);
            // A closed picker leaves no receiver, and nothing can be saved without one.
            ModalScript closed;
            closed.Then([](QWidget* p) { ModalScript::As<QDialog>(p)->reject(); });
            e->ButSelP->click();
            QCOMPARE(closed.Pending(), 0);
            QCOMPARE(e->LabP->text(), QString());
            QCOMPARE(e->LocalRec.KlientIDP, -1);
            e->ButSave->click();
            QCOMPARE(f.Ui->infos, QStringList{TFormEditMoney::kNoParties});
            pick(e->ButSelP, 0, JournalShop::kSupplier);
            // Typed the Russian way: no-break space between thousands, a decimal comma.
            e->EdSumM->setText(QStringLiteral("1\u00a0234,5"));
            e->EdPrim->setText(QStringLiteral(" аренда за март "));
            e->DTPDat->setDate(kToday.addDays(-1));
            e->ButSave->click();
            QCOMPARE(e->result(), int(QDialog::Accepted));
        }));
        StringGrid* g = find<StringGrid>(*w, "SGMoney");
        const int row = noteRow(g, QStringLiteral("аренда за март"));
        QVERIFY(row > 0);
        QCOMPARE(g->Cells(3, row), JournalShop::kBank);
        QCOMPARE(g->Cells(4, row), JournalShop::kSupplier);
        QCOMPARE(g->Cells(5, row), QStringLiteral("1234.50"));
        QCOMPARE(g->Cells(2, row), kToday.addDays(-1).toString(QStringLiteral("dd.MM.yy")));
    }

    // An empty link box keeps the link; text that is no number or no document number is
    // refused, naming the field, and nothing is stored until it is put right.
    void linksAndAmountsTypedWronglyAreRefused() {
        newShop();
        const int receipt =
            shop.Doc(JournalShop::Kind::Prh, kToday, shop.Main, shop.Supplier, {{shop.Tea, 2, 50}});
        QVERIFY(receipt &&
                shop.Pay(shop.Cash, shop.Supplier, 100, receipt, 0, kToday, QStringLiteral("оплата")));
        auto w = openAdmin();
        const QString prim = QStringLiteral("оплата");
        QVERIFY(inEditor(*w, "ButEditMoney", prim, [&](TFormEditMoney* e) {
            QCOMPARE(e->EdDocN->text(), QString::number(receipt));
            e->EdDocN->clear();
            e->EdInvoiceN->setText(QStringLiteral("-7"));
            e->EdSumM->setText(QStringLiteral("сто"));
            e->ButSave->click();
            e->EdSumM->setText(QStringLiteral("100"));
            e->ButSave->click();
            QVERIFY(e->isVisible());
            QCOMPARE(f.Ui->infos,
                     (QStringList{QStringLiteral("В поле «Сумма» должно быть число, а не «сто»."),
                                  QStringLiteral("В поле «Номер заказа (счета)» должен быть номер документа, "
                                                 "а не «-7».")}));
            f.Ui->infos.clear();
            e->EdInvoiceN->setText(QStringLiteral("0"));
            e->ButSave->click();
        }));
        QCOMPARE(stored(prim)->DocN, receipt);
        QCOMPARE(stored(prim)->InvoiceN, 0);
        QCOMPARE(stored(prim)->SumM, 100.0);

        QVERIFY(inEditor(*w, "ButEditMoney", prim, [&](TFormEditMoney* e) {
            e->EdDocN->setText(QStringLiteral(" 0 "));
            e->EdSumM->setText(QStringLiteral("-15"));
            e->ButSave->click();
        }));
        QCOMPARE(stored(prim)->DocN, 0);
        QCOMPARE(stored(prim)->SumM, -15.0);
        QCOMPARE(shop.Payments(kToday, kToday).size(), size_t(1));

        // A link the service does not know: the window stays with what was typed, nothing is
        // stored, and one message gives the service's reason.
        QVERIFY(inEditor(*w, "ButEditMoney", prim, [&](TFormEditMoney* e) {
            e->EdDocN->setText(QStringLiteral("99999"));
            e->EdSumM->setText(QStringLiteral("12.50"));
            e->ButSave->click();
            QVERIFY(e->isVisible());
            QCOMPARE(f.Ui->infos,
                     QStringList{QStringLiteral("Сервер отказал: Не найден документ № 99999 (накладная)")});
            QCOMPARE(e->EdDocN->text(), QStringLiteral("99999"));
            QCOMPARE(e->EdSumM->text(), QStringLiteral("12.50"));
            e->ButCancel->click();
        }));
        f.Ui->infos.clear();
        QCOMPARE(stored(prim)->DocN, 0);

        // Deleting asks first, then it is gone.
        f.Ui->answers << true;
        StringGrid* g = moneyJournal(*w);
        g->SetRow(noteRow(g, prim));
        find<QPushButton>(*w, "ButDelMoney")->click();
        QCOMPARE(f.Ui->questions, QStringList{TJournalPage::kDeleteQuestion});
        QCOMPARE(noteRow(g, prim), -1);
        QVERIFY(!stored(prim));
    }
};

QTEST_MAIN(TestFormEditMoney)
#include "test_form_edit_money.moc"
