// The windows when the service is down, silent or refuses, against the real service: a failed
// read is never shown as data (pages and editors keep what they showed, the status bar says why
// in words), a silent service is waited out in a window that can cancel, no click made meanwhile
// runs, a change whose outcome is unknown is read again, and payments keep their document's
// counterparty.
#include "doc_shop.h"
#include "form_edit_doc.h"
#include "form_edit_invoice.h"
#include "form_edit_nkl.h"
#include "journal_shop_test.h"
#include "modal_script.h"
#include "request_failure.h"
#include "server_wait_window.h"
#include "session.h"
#include "status_bar.h"
#include "string_grid.h"
#include "tag_list_box.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using Kind = JournalShop::Kind;

// Nothing listens there.
const QString kDeadService = QStringLiteral("http://127.0.0.1:9");

QString noConnection(const QString& service, const QString& cause) {
    return QStringLiteral("Нет связи с сервером %1: %2").arg(service, cause);
}

// Every row of a grid, its cells joined by "|".
QStringList rows(const StringGrid* g) {
    QStringList out;
    for (int r = 0; r < g->RowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < g->ColCount(); ++c)
            cells << g->Cells(c, r);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

} // namespace

class TestServiceTrouble : public JournalShopTest {
    Q_OBJECT

    QPushButton* button(TMainF& w, const char* name) { return find<QPushButton>(w, name); }

    // The receipts journal of this month, holding one receipt.
    StringGrid* receipts(TMainF& w) {
        MainWindowFixture::ClickNav(w.LBoxDoc, 1);
        StringGrid* g = find<StringGrid>(w, "SGPrh");
        [&] { QCOMPARE(g->RowCount(), 2); }();
        return g;
    }

private Q_SLOTS:
    void cleanup() { f.Service().Resume(); }

    // The journal and an order's editor with the service gone: what they showed stays, the
    // status bar says why in words, never "Ответ получен."; a save says why in words (the report
    // pages: test_report_pages).
    void aServiceThatIsDownLeavesEveryWindowAsItWas() {
        newShop();
        QVERIFY(shop.Doc(Kind::Prh, QDate::currentDate(), shop.Main, shop.Supplier, {{shop.Tea, 5, 10}}));
        auto w = openAdmin();
        const QString service = BaseURL;
        StringGrid* journal = receipts(*w);
        const QStringList listed = rows(journal);

        BaseURL = kDeadService;
        button(*w, "ButRefPrh")->click();
        QCOMPARE(rows(journal), listed);
        QCOMPARE(w->SBarInfo->PanelText(1), noConnection(kDeadService, QStringLiteral("сервер не отвечает")));

        BaseURL = service;
        TRecDoc order = DocShop::Doc(InvoiceFamily(), shop.Main, shop.Buyer, {{shop.Tea, 3, 0, 12.5}});
        TFormEditInvoice editor(w.get(), *w, order);
        editor.show();
        const QStringList lines = rows(editor.SGItems);
        QCOMPARE(editor.LabTotal->text(), QStringLiteral("Итого: 37.50"));
        BaseURL = kDeadService;
        QVERIFY(!editor.LoadItems());
        QCOMPARE(rows(editor.SGItems), lines);
        QCOMPARE(editor.LabTotal->text(), QStringLiteral("Итого: 37.50"));
        QCOMPARE(editor.SBarInfo->PanelText(0),
                 noConnection(kDeadService, QStringLiteral("сервер не отвечает")));
        editor.EdPrim->setText(QStringLiteral("доставка в среду"));
        editor.ButSave->click();
        QVERIFY(editor.isVisible());
        QCOMPARE(editor.EdPrim->text(), QStringLiteral("доставка в среду"));
        QCOMPARE(f.Ui->infos, QStringList{noConnection(kDeadService, QStringLiteral("сервер не отвечает"))});
    }

    // A service that takes the request and never answers: after two seconds the waiting
    // window offers to cancel, Escape does, and what was clicked meanwhile never runs.
    void aSilentServiceCanBeCancelledAndNothingClickedMeanwhileRuns() {
        newShop();
        QVERIFY(shop.Doc(Kind::Prh, QDate::currentDate(), shop.Main, shop.Supplier, {{shop.Tea, 5, 10}}));
        auto w = openAdmin();
        StringGrid* journal = receipts(*w);
        const QStringList listed = rows(journal);
        f.Ui->defaultAnswer = false;
        bool earlyWindow = true;
        qint64 shownAfter = 0;
        QString waitText;
        QElapsedTimer waited;
        WaitScript wait;
        wait.At(1500,
                [&] {
                    earlyWindow = WaitWindow() != nullptr;
                    QTest::mouseClick(button(*w, "ButDelPrh"), Qt::LeftButton); // would ask before deleting
                })
            .WhenShown([&](QWidget* window) {
                shownAfter = waited.elapsed();
                waitText = window->findChild<QLabel*>(QStringLiteral("LabWait"))->text();
                QTest::mouseClick(button(*w, "ButDelPrh"), Qt::LeftButton);
                QTest::keyClick(w.get(), Qt::Key_Delete);
                QTest::keyClick(window, Qt::Key_Escape);
            });
        f.Service().Pause();
        waited.start();
        QTest::mouseClick(button(*w, "ButRefPrh"), Qt::LeftButton);
        const qint64 elapsed = waited.elapsed();
        f.Service().Resume();

        QVERIFY(!earlyWindow);
        QVERIFY2(shownAfter >= 2000 && elapsed < 10000, qPrintable(QString::number(shownAfter)));
        QCOMPARE(waitText, QStringLiteral("Ожидание ответа сервера…"));
        QVERIFY(!WaitWindow());
        QCOMPARE(rows(journal), listed);
        QCOMPARE(w->SBarInfo->PanelText(1),
                 noConnection(BaseURL, QStringLiteral("ожидание ответа отменено")));
        QTest::qWait(50); // nothing left over runs now either
        QVERIFY(f.Ui->questions.isEmpty());
        QVERIFY(f.Ui->infos.isEmpty());
        button(*w, "ButRefPrh")->click();
        QCOMPARE(rows(journal), listed);
        QCOMPARE(w->SBarInfo->PanelText(1), QStringLiteral("Ответ получен."));
    }

    // Saved, cancelled while the service was silent, stored all the same: the editor reads the
    // document again and shows what the service holds, and says the outcome was unknown.
    void aCancelledSaveIsReadAgain() {
        newShop();
        auto w = openAdmin();
        TRecDoc order = DocShop::Doc(InvoiceFamily(), shop.Main, shop.Buyer, {{shop.Tea, 2, 0, 10}});
        TFormEditInvoice editor(w.get(), *w, order);
        editor.show();
        editor.EdPrim->setText(QStringLiteral("доставка в среду"));
        WaitScript wait;
        wait.WhenShown([&](QWidget* window) {
            // The service wakes up and stores the change while the person gives up waiting.
            f.Service().Resume();
            QVERIFY(QTest::qWaitFor(
                [&] { return f.Service().Log().contains(QStringLiteral("/update-invoice.php")); }));
            QTest::keyClick(window, Qt::Key_Escape);
        });
        f.Service().Pause();
        editor.ButSave->click();

        QVERIFY(editor.isVisible());
        QCOMPARE(f.Ui->infos,
                 QStringList{noConnection(BaseURL, QStringLiteral("ожидание ответа отменено")) +
                             QLatin1Char('\n') +
                             QStringLiteral("Неизвестно, сохранил ли сервер изменения; данные перечитаны.")});
        QCOMPARE(editor.LocalRec.Prim, QStringLiteral("доставка в среду"));
        QCOMPARE(editor.EdPrim->text(), QStringLiteral("доставка в среду"));
        QCOMPARE(editor.SGItems->RowCount(), 2);
        QVERIFY(!editor.HasChanges());
        QCOMPARE(editor.SBarInfo->PanelText(0),
                 noConnection(BaseURL, QStringLiteral("ожидание ответа отменено")));
    }

    // A paid waybill whose buyer picker is closed without a choice: the service refuses to
    // store it without him, the editor says why and stays open; unpaid, he may go.
    void aPaidWaybillKeepsItsBuyer() {
        newShop();
        auto w = openAdmin();
        QVERIFY(shop.Doc(Kind::Prh, QDate::currentDate(), shop.Main, shop.Supplier, {{shop.Tea, 5, 10}}));
        TRecDoc paid = DocShop::Doc(NklFamily(), shop.Main, shop.Buyer, {{shop.Tea, 1, 10, 100}});
        TRecDoc unpaid = DocShop::Doc(NklFamily(), shop.Main, shop.Buyer, {{shop.Tea, 1, 10, 100}});
        QVERIFY(shop.Pay(shop.Buyer, shop.Cash, 100, paid.ID, 0));
        const int payment = shop.Payments(QDate::currentDate(), QDate::currentDate()).front()->ID;

        ModalScript script;
        script.Then([](QWidget* picker) { ModalScript::As<QDialog>(picker)->reject(); });
        TFormEditNkl editor(w.get(), *w, paid);
        editor.show();
        editor.ButSelP->click();
        QCOMPARE(editor.LabP->text(), QString());
        editor.ButSave->click();
        QVERIFY(editor.isVisible());
        QCOMPARE(f.Ui->infos,
                 QStringList{QStringLiteral("Сервер отказал: На документ ссылаются операции с деньгами № %1: "
                                            "контрагента документа нельзя убрать или заменить, пока они на "
                                            "него ссылаются")
                                 .arg(payment)});
        RecordList<TRecDoc> journal;
        TFormLoad().SelectNklList(journal, QString(), paid.DocDate, paid.DocDate);
        for (const auto& doc : journal)
            QCOMPARE(doc->KlientID, shop.Buyer);
        editor.Discard();

        ModalScript another;
        another.Then([](QWidget* picker) { ModalScript::As<QDialog>(picker)->reject(); });
        TFormEditNkl unpaidEditor(w.get(), *w, unpaid);
        unpaidEditor.show();
        unpaidEditor.ButSelP->click();
        unpaidEditor.ButSave->click();
        QVERIFY(!unpaidEditor.isVisible());
        QCOMPARE(f.Ui->infos.size(), 1);
        QCOMPARE(unpaid.KlientID, -1);
    }
};

QTEST_MAIN(TestServiceTrouble)
#include "test_service_trouble.moc"
