#pragma once

#include "date_picker.h"
#include "journal_shop.h"
#include "main_window_test.h"
#include "string_grid.h"
#include "tag_list_box.h"

#include <QDate>
#include <QPushButton>

// A test class of the document windows: every test function in a shop of its own, named after
// it, opened as its administrator or as its cashier.
class JournalShopTest : public MainWindowTest {
    Q_OBJECT
protected:
    JournalShop shop;

    void newShop() {
        const QString login =
            QString::fromLatin1(QTest::currentTestFunction()).toLower() + QStringLiteral("@shop.ru");
        QVERIFY2(shop.Create(f, login), qPrintable(shop.Error()));
    }
    std::unique_ptr<TMainF> openAdmin() { return f.OpenAs(shop.Login, QString(), shop.Password); }
    // The cashier with only these rights.
    std::unique_ptr<TMainF> openCashier(const QList<QPair<int, int>>& rights) {
        if (!shop.ResetUserRights(rights)) qWarning("rights not set");
        return openCashier();
    }
    std::unique_ptr<TMainF> openCashier() { return f.OpenAs(shop.Login, shop.UserLogin, shop.UserPassword); }
    // The money journal over the last forty days, loaded.
    StringGrid* moneyJournal(TMainF& w) {
        MainWindowFixture::ClickNav(w.LBoxDoc, 4);
        find<TDatePicker>(w, "DTPBeginMoney")->setDate(QDate::currentDate().addDays(-40));
        find<TDatePicker>(w, "DTPEndMoney")->setDate(QDate::currentDate());
        find<QPushButton>(w, "ButRefMoney")->click();
        return find<StringGrid>(w, "SGMoney");
    }
    // The money journal's row of an operation's note, or -1.
    static int noteRow(StringGrid* g, const QString& prim) {
        for (int r = g->FixedRows(); r < g->RowCount(); ++r)
            if (g->Cells(6, r) == prim) return r;
        return -1;
    }
};
