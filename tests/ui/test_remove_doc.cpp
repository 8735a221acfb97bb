// Deleting goods documents on the wire: which lines are read for which stores, the stock rule
// over them, and that nothing is deleted when the rule breaks or the lines cannot be read.
#include "capture_server.h"
#include "remove_doc.h"
#include "request_fields.h"
#include "scripted_interaction.h"
#include "server_wait.h"
#include "status_bar.h"

#include <QTest>

namespace {

using testing::Fields;

// A line as the service lists it with the stock of its goods in the store (stores) asked for.
QByteArray line(int id, double kol, double plus, double minus, double pPlus = 0, double pMinus = 0) {
    return QStringLiteral(
               R"({"id":"%1","id_z":"7","id_goods":"3","kol":"%2","kol_plus":"%3","kol_minus":"%4",)"
               R"("kol_plus_v":"0","kol_minus_v":"0","p_kol_plus":"%5","p_kol_minus":"%6",)"
               R"("p_kol_plus_v":"0","p_kol_minus_v":"0","name":"Чай"})")
        .arg(id)
        .arg(kol)
        .arg(plus)
        .arg(minus)
        .arg(pPlus)
        .arg(pMinus)
        .toUtf8();
}

QByteArray array(const QList<QByteArray>& elements) {
    return '[' + elements.join(',') + ']';
}

TRecDoc doc() {
    TRecDoc d;
    d.ID = 7;
    d.StoreID = 11;
    d.StoreIDI = 12;
    d.StoreIDP = 13;
    return d;
}

const QString kShortage =
    QStringLiteral("Недостаточное количество товара на складе ! Остаток товара не может быть меньше нуля.");

} // namespace

class TestRemoveDoc : public QObject {
    Q_OBJECT

    CaptureServer server;
    TStatusBar bar;
    ScriptedInteraction::State* ui = nullptr;

private Q_SLOTS:
    void init() {
        testing::SetTestSession(server.Url());
        server.Clear();
        ui = &ScriptedInteraction::Install();
        bar.AddPanel(200);
    }
    void cleanup() { ScriptedInteraction::Uninstall(); }

    void eachKindReadsItsLinesForItsStoresThenDeletes() {
        server.Enqueue(array({line(1, 5, 5, 0)}));
        server.Enqueue("7");
        QVERIFY(RemovePrhDoc(bar, doc()));
        server.Enqueue(array({line(1, 5, 0, 5)}));
        server.Enqueue("7");
        QVERIFY(RemoveNklDoc(bar, doc()));
        server.Enqueue("7");
        QVERIFY(RemoveInvoiceDoc(bar, doc()));
        server.Enqueue(array({line(1, 5, 0, 5, 5, 0)}));
        server.Enqueue("7");
        QVERIFY(RemoveVnkDoc(bar, doc()));
        const auto r = server.Requests();
        QCOMPARE(testing::Paths(r),
                 (QStringList{"/list-prh-items-with-ost-json.php", "/delete-prh.php",
                              "/list-nkl-items-with-ost-json.php", "/delete-nkl.php", "/delete-invoice.php",
                              "/list-vnk-items-with-ost-json.php", "/delete-vnk.php"}));
        COMPARE_FIELDS(r[0], Fields{{"id", "7"}, {"code_store", "11"}});
        COMPARE_FIELDS(r[1], Fields{{"id", "7"}});
        COMPARE_FIELDS(r[2], Fields{{"id", "7"}, {"code_store", "11"}});
        COMPARE_FIELDS(r[5], Fields{{"id", "7"}, {"code_store_i", "12"}, {"code_store_p", "13"}});
        QVERIFY(ui->infos.isEmpty());
        QCOMPARE(bar.PanelText(0), TServerWait::kDone);
    }

    void aLineThatWouldGoBelowZeroKeepsTheDocument() {
        // Receipt of 5 of which 2 were sold: 3 left, 5 to take out.
        server.Enqueue(array({line(1, 1, 4, 0), line(2, 5, 5, 2)}));
        QVERIFY(!RemovePrhDoc(bar, doc()));
        // Transfer of 5 from which the receiving store sold 1.
        server.Enqueue(array({line(1, 5, 0, 5, 5, 1)}));
        QVERIFY(!RemoveVnkDoc(bar, doc()));
        QCOMPARE(server.Count(), 2);
        QCOMPARE(ui->infos, (QStringList{kShortage, kShortage}));
        QCOMPARE(bar.PanelText(0), TServerWait::kDone);
    }

    void linesThatCouldNotBeReadDeleteNothingAndSayWhy() {
        server.Enqueue("database gone", 500);
        QVERIFY(!RemoveNklDoc(bar, doc()));
        QCOMPARE(server.Count(), 1);
        QCOMPARE(ui->infos,
                 QStringList{QStringLiteral("Сервер отказал: внутренняя ошибка сервера (код 500)")});
    }

    void stockRule_data() {
        QTest::addColumn<int>("rule");
        QTest::addColumn<double>("ostI");
        QTest::addColumn<double>("ostP");
        QTest::addColumn<double>("kol");
        QTest::addColumn<bool>("breaks");
        const int prh = int(TStockRule::Receipt), nkl = int(TStockRule::Sale),
                  vnk = int(TStockRule::Transfer);
        QTest::newRow("receipt leaves stock") << prh << 6.0 << 0.0 << 5.0 << false;
        QTest::newRow("receipt leaves exactly zero") << prh << 5.0 << 0.0 << 5.0 << false;
        QTest::newRow("receipt zero up to binary noise") << prh << 0.1 + 0.7 << 0.0 << 0.8 << false;
        QTest::newRow("receipt partly sold") << prh << 4.999 << 0.0 << 5.0 << true;
        QTest::newRow("sale puts back") << nkl << -3.0 << 0.0 << 3.0 << false;
        QTest::newRow("sale into a store short already") << nkl << -4.0 << 0.0 << 3.0 << true;
        QTest::newRow("transfer both sides hold") << vnk << 0.0 << 5.0 << 5.0 << false;
        QTest::newRow("transfer receiver sold some") << vnk << 0.0 << 4.0 << 5.0 << true;
        QTest::newRow("transfer sender short") << vnk << -6.0 << 9.0 << 5.0 << true;
        QTest::newRow("orders move nothing") << int(TStockRule::None) << -1.0 << -1.0 << 5.0 << false;
    }
    void stockRule() {
        QFETCH(int, rule);
        QFETCH(double, ostI);
        QFETCH(double, ostP);
        QFETCH(double, kol);
        QFETCH(bool, breaks);
        TRecDocItem item;
        item.KolPlus = ostI;
        item.PKolPlus = ostP;
        item.Kol = kol;
        QCOMPARE(BreaksStockRule(static_cast<TStockRule>(rule), item), breaks);
    }
};

QTEST_MAIN(TestRemoveDoc)
#include "test_remove_doc.moc"
