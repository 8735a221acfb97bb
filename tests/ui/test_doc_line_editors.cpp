// The four line editors against the real service: units and packs in step, the stock labels,
// each kind's stock rule at its boundary, a refused save that keeps the input, and the receipt
// line's update on the wire.
#include "capture_server.h"
#include "demo_session.h"
#include "doc_shop.h"
#include "form_edit_invoice_item.h"
#include "form_edit_nkl_item.h"
#include "form_edit_prh_item.h"
#include "form_edit_vnk_item.h"
#include "main_window_test.h"
#include "session.h"
#include "wire/multipart_parser.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using DocShop::Unique;

namespace {

const QString kNoStock =
    QStringLiteral("Недостаточное количество товара на складе ! Остаток товара не может быть меньше нуля.");

// Replaces the box's text key by key, as the user types it.
void type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Backspace);
        return;
    }
    QTest::keyClicks(box, text);
}

// The line editor shown on a line, as a document editor opens it.
template <class Editor>
std::unique_ptr<Editor> openLine(QWidget* owner, TStockStores stores, int lineID) {
    TRecDocItem line;
    line.ID = lineID;
    auto editor = std::make_unique<Editor>(owner, stores, line);
    editor->show();
    return editor;
}

// Types the quantity and presses "Сохранить"; true when the editor closed with OK.
template <class Editor>
bool saveWith(Editor& editor, const QString& kol) {
    type(editor.EdKol, kol);
    editor.ButSave->click();
    return editor.result() == QDialog::Accepted && !editor.isVisible();
}

QMap<QString, QString> fieldsOf(const CaptureServer::Request& r) {
    QMap<QString, QString> out;
    const auto form = kovrel::wire::ParseMultipartForm(r.body, r.header("content-type"));
    for (const auto& field : form.fields)
        out.insert(field.name, field.value);
    return out;
}

} // namespace

class TestDocLineEditors : public MainWindowTest {
    Q_OBJECT

private Q_SLOTS:
    void unitsAndPacksFollowEachOther() {
        auto w = f.OpenAdmin();
        const int store = DocShop::Store(Unique(QStringLiteral("Склад упаковок")));
        const int boxed = DocShop::Good(Unique(QStringLiteral("Сок")), 12, 80);
        const int loose = DocShop::Good(Unique(QStringLiteral("Конфеты")), 0, 300);
        const TRecDoc order = DocShop::Doc(InvoiceFamily(), store, 0);
        const int boxedLine = DocShop::AddLine(InvoiceFamily(), order, {boxed, 0, 0, 80});
        const int looseLine = DocShop::AddLine(InvoiceFamily(), order, {loose, 0, 0, 300});

        auto ed = openLine<TFormEditInvoiceItem>(w.get(), {store}, boxedLine);
        QCOMPARE(ed->windowTitle(), QStringLiteral("Редактирование"));
        QCOMPARE(ed->LabPack->text(), QStringLiteral("Упаковка: 12"));
        QCOMPARE(ed->EdCen->text(), QStringLiteral("80.00"));
        type(ed->EdKolPack, QStringLiteral("2"));
        QCOMPARE(ed->EdKol->text(), QStringLiteral("24"));
        type(ed->EdKol, QStringLiteral("30"));
        QCOMPARE(ed->EdKolPack->text(), QStringLiteral("2.500"));
        type(ed->EdKol, QStringLiteral("2,5")); // a comma reads as the decimal point
        QCOMPARE(ed->EdKolPack->text(), QStringLiteral("0.208"));
        type(ed->EdKol, QStringLiteral("2.5x")); // not a number: the quantity stays
        QCOMPARE(ed->EdKolPack->text(), QStringLiteral("0.208"));
        type(ed->EdKol, QStringLiteral("2,5")); // and saving it would be refused
        type(ed->EdCen, QStringLiteral("82,4"));
        ed->ButSave->click();
        QCOMPARE(ed->result(), int(QDialog::Accepted));
        const TRecDocItem stored = DocShop::LineOf(InvoiceFamily(), order, boxed);
        QCOMPARE(stored.Kol, 2.5);
        QCOMPARE(stored.CenR, 82.4);

        // Without a pack size the packs box holds the units themselves.
        auto ed0 = openLine<TFormEditInvoiceItem>(w.get(), {store}, looseLine);
        QCOMPARE(ed0->LabPack->text(), QStringLiteral("Упаковка: 0"));
        type(ed0->EdKolPack, QStringLiteral("5"));
        QCOMPARE(ed0->EdKol->text(), QStringLiteral("5"));
        type(ed0->EdKol, QStringLiteral("7.25"));
        QCOMPARE(ed0->EdKolPack->text(), QStringLiteral("7.250"));
        QVERIFY(saveWith(*ed0, QStringLiteral("7.25")));
        QCOMPARE(DocShop::LineOf(InvoiceFamily(), order, loose).Kol, 7.25);
    }

    // Stock 5 and 3 stored on the line: 8 may go, 8.001 may not.
    void aSaleLineMayTakeTheStockAndItsOwnQuantity() {
        auto w = f.OpenAdmin();
        const int store = DocShop::Store(Unique(QStringLiteral("Склад продаж")));
        const int goods = DocShop::Good(Unique(QStringLiteral("Масло")), 1, 150);
        DocShop::Receive(store, goods, 8);
        const TRecDoc sale = DocShop::Doc(NklFamily(), store, 0, {{goods, 3, 10, 150}});
        auto ed = openLine<TFormEditNklItem>(w.get(), {store}, DocShop::LineOf(NklFamily(), sale, goods).ID);
        QCOMPARE(ed->LabOst.at(0)->objectName(), QStringLiteral("LabOstI"));
        QCOMPARE(ed->LabOst.at(0)->text(), QStringLiteral("Остаток: 5 + 3 = 8"));
        QCOMPARE(ed->EdKol->text(), QStringLiteral("3"));
        QCOMPARE(ed->EdCen->text(), QStringLiteral("150.00"));
        QVERIFY(!saveWith(*ed, QStringLiteral("8.001")));
        QCOMPARE(f.Ui->infos, QStringList{kNoStock});
        QVERIFY(ed->isVisible());
        QVERIFY(saveWith(*ed, QStringLiteral("8")));
        QCOMPARE(DocShop::LineOf(NklFamily(), sale, goods).Kol, 8.0);
    }

    // Stock 2 after a receipt of 10 was mostly sold: the receipt may go down to 8, not to 7.
    void aReceiptLineMayNotTakeBackWhatWasSold() {
        auto w = f.OpenAdmin();
        const int store = DocShop::Store(Unique(QStringLiteral("Склад приходов")));
        const int goods = DocShop::Good(Unique(QStringLiteral("Сахар")), 1, 90);
        const TRecDoc receipt = DocShop::Doc(PrhFamily(), DocShop::Klient(QStringLiteral("Поставщик сахара")),
                                             store, {{goods, 10, 30}});
        DocShop::Sell(store, goods, 8, 30);
        auto ed =
            openLine<TFormEditPrhItem>(w.get(), {store}, DocShop::LineOf(PrhFamily(), receipt, goods).ID);
        QCOMPARE(ed->LabOst.at(0)->text(), QStringLiteral("Остаток: 2 - 10 = -8"));
        QCOMPARE(ed->EdCen->text(), QStringLiteral("30.00"));
        QCOMPARE(ed->OldCenZ, 30.0);
        QVERIFY(!saveWith(*ed, QStringLiteral("7")));
        QCOMPARE(f.Ui->infos, QStringList{kNoStock});
        type(ed->EdCen, QStringLiteral("31.5"));
        QVERIFY(saveWith(*ed, QStringLiteral("8")));
        const TRecDocItem stored = DocShop::LineOf(PrhFamily(), receipt, goods);
        QCOMPARE(stored.Kol, 8.0);
        QCOMPARE(stored.CenZ, 31.5);
    }

    // 10 sent from A to B, of which B sold 8: B may keep no less than 8, A gives no more than it has.
    void aTransferLineGuardsBothStores() {
        auto w = f.OpenAdmin();
        const int from = DocShop::Store(Unique(QStringLiteral("Склад сдал")));
        const int to = DocShop::Store(Unique(QStringLiteral("Склад получил")));
        const int goods = DocShop::Good(Unique(QStringLiteral("Мёд")), 1, 400);
        DocShop::Receive(from, goods, 10, 200);
        const TRecDoc transfer = DocShop::Doc(VnkFamily(), from, to, {{goods, 10, 200, 400}});
        DocShop::Sell(to, goods, 8, 200);
        auto ed =
            openLine<TFormEditVnkItem>(w.get(), {from, to}, DocShop::LineOf(VnkFamily(), transfer, goods).ID);
        QCOMPARE(ed->LabOst.size(), size_t(2));
        QCOMPARE(ed->LabOst[0]->text(), QStringLiteral("Остаток (отправитель): 0 + 10 = 10"));
        QCOMPARE(ed->LabOst[1]->objectName(), QStringLiteral("LabOstP"));
        QCOMPARE(ed->LabOst[1]->text(), QStringLiteral("Остаток (получатель): 2 - 10 = -8"));
        QVERIFY(!saveWith(*ed, QStringLiteral("7")));
        QVERIFY(!saveWith(*ed, QStringLiteral("10.5")));
        QCOMPARE(f.Ui->infos, (QStringList{kNoStock, kNoStock}));
        QVERIFY(saveWith(*ed, QStringLiteral("8")));
        QCOMPARE(DocShop::LineOf(VnkFamily(), transfer, goods).Kol, 8.0);
    }

    void anOrderLineTakesAnyQuantity() {
        auto w = f.OpenAdmin();
        const int store = DocShop::Store(Unique(QStringLiteral("Склад заказов")));
        const int goods = DocShop::Good(Unique(QStringLiteral("Чай")), 1, 120);
        DocShop::Receive(store, goods, 4);
        const TRecDoc order = DocShop::Doc(InvoiceFamily(), store, 0, {{goods, 1, 10, 120}});
        auto ed = openLine<TFormEditInvoiceItem>(w.get(), {store},
                                                 DocShop::LineOf(InvoiceFamily(), order, goods).ID);
        QCOMPARE(ed->LabOst.at(0)->text(), QStringLiteral("Остаток: 4 + 1 = 5"));
        // Enter in a box saves, as "Сохранить" does.
        type(ed->EdKol, QStringLiteral("1000"));
        QTest::keyClick(ed->EdKol, Qt::Key_Return);
        QCOMPARE(ed->result(), int(QDialog::Accepted));
        QVERIFY(!ed->isVisible());
        QCOMPARE(DocShop::LineOf(InvoiceFamily(), order, goods).Kol, 1000.0);
        QVERIFY(f.Ui->infos.isEmpty());
    }

    // The stock checked is the one read at opening; when someone sold meanwhile, the service
    // refuses, says why, and the window stays open with what was typed.
    void aSaveTheServiceRefusesKeepsTheInput() {
        auto w = f.OpenAdmin();
        const int store = DocShop::Store(Unique(QStringLiteral("Склад соседей")));
        const int goods = DocShop::Good(Unique(QStringLiteral("Какао")), 1, 250);
        DocShop::Receive(store, goods, 8);
        const TRecDoc sale = DocShop::Doc(NklFamily(), store, 0, {{goods, 3, 10, 250}});
        auto ed = openLine<TFormEditNklItem>(w.get(), {store}, DocShop::LineOf(NklFamily(), sale, goods).ID);
        DocShop::Sell(store, goods, 5);
        type(ed->EdCen, QStringLiteral("260"));
        QVERIFY(!saveWith(*ed, QStringLiteral("8")));
        QVERIFY(ed->isVisible());
        QCOMPARE(ed->EdKol->text(), QStringLiteral("8"));
        QCOMPARE(ed->EdCen->text(), QStringLiteral("260"));
        QCOMPARE(f.Ui->infos.size(), 1);
        QVERIFY(f.Ui->infos[0].startsWith(QStringLiteral("Сервер отказал: ")));
        QCOMPARE(DocShop::LineOf(NklFamily(), sale, goods).Kol, 3.0);
    }

    // Figures the service would refuse: below zero, or beyond the range it keeps exact.
    void negativeAndHugeFiguresAreRefusedBeforeTheService() {
        auto w = f.OpenAdmin();
        const int store = DocShop::Store(Unique(QStringLiteral("Склад минусов")));
        const int goods = DocShop::Good(Unique(QStringLiteral("Уксус")), 1, 30);
        const TRecDoc order = DocShop::Doc(InvoiceFamily(), store, 0, {{goods, 2, 10, 30}});
        auto ed = openLine<TFormEditInvoiceItem>(w.get(), {store},
                                                 DocShop::LineOf(InvoiceFamily(), order, goods).ID);
        QVERIFY(!saveWith(*ed, QStringLiteral("-1")));
        type(ed->EdCen, QStringLiteral("-5"));
        QVERIFY(!saveWith(*ed, QStringLiteral("1")));
        type(ed->EdCen, QStringLiteral("999999999999.99"));
        QVERIFY(!saveWith(*ed, QStringLiteral("1000000000")));
        type(ed->EdCen, QStringLiteral("1000000000000"));
        QVERIFY(!saveWith(*ed, QStringLiteral("999999999.999")));
        QCOMPARE(f.Ui->infos, (QStringList{QStringLiteral("Количество не может быть отрицательным !"),
                                           QStringLiteral("Цена не может быть отрицательной !"),
                                           QStringLiteral("Количество должно быть меньше 1 000 000 000 !"),
                                           QStringLiteral("Цена должна быть меньше 1 000 000 000 000 !")}));
        QCOMPARE(DocShop::LineOf(InvoiceFamily(), order, goods).Kol, 2.0);
    }

    // The receipt line's update carries what the line held on opening, and `compare` 1 only
    // when the purchase price changed.
    void aReceiptLineUpdateOnTheWire() {
        CaptureServer capture;
        BaseURL = capture.Url();
        UseSession(QStringLiteral("admin@shop.ru"), QString(), QStringLiteral("pw"));
        const QByteArray line =
            R"([{"id":"77","id_z":"12","id_goods":"5","kol":"10","pack":"1","zcen":"5",)"
            R"("rcen":"0","kol_plus":"10","kol_minus":"0","kol_plus_v":"0","kol_minus_v":"0",)"
            R"("name":"Товар"}])";
        for (const auto& [price, compare] : {std::pair{QStringLiteral("6"), QStringLiteral("1")},
                                             std::pair{QStringLiteral("5.00"), QStringLiteral("0")}}) {
            capture.Clear();
            capture.Enqueue(line);
            capture.Enqueue("77");
            auto ed = openLine<TFormEditPrhItem>(nullptr, {3}, 77);
            type(ed->EdCen, price);
            QVERIFY(saveWith(*ed, QStringLiteral("12")));
            QCOMPARE(capture.Count(), 2);
            QCOMPARE(capture.Requests()[0].path, QByteArray("/list-prh-items-one-with-ost-json.php"));
            const auto sent = fieldsOf(capture.Requests()[1]);
            QCOMPARE(capture.Requests()[1].path, QByteArray("/update-prh-items.php"));
            QCOMPARE(sent.value("id"), QStringLiteral("77"));
            QCOMPARE(sent.value("kol"), QStringLiteral("12"));
            QCOMPARE(sent.value("zcen"),
                     compare == QLatin1String("1") ? QStringLiteral("6.00") : QStringLiteral("5.00"));
            QCOMPARE(sent.value("id_goods"), QStringLiteral("5"));
            QCOMPARE(sent.value("old_kol"), QStringLiteral("10"));
            QCOMPARE(sent.value("old_zcen"), QStringLiteral("5.00"));
            QCOMPARE(sent.value("compare"), compare);
        }
    }
};

QTEST_MAIN(TestDocLineEditors)
#include "test_doc_line_editors.moc"
