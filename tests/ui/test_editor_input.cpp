// What the editors do with the person's input, against the real service: typed work is not lost
// to Escape or the close box without a question, a line is not deleted without one, a box that
// holds no number is refused naming its field, and requisites with wrong check digits are
// refused, while values stored long ago never stop a save.
#include "bank_fields.h"
#include "catalog_window_test.h"
#include "demo_session.h"
#include "doc_shop.h"
#include "form_edit_good.h"
#include "form_edit_invoice.h"
#include "form_edit_invoice_item.h"
#include "form_edit_kl.h"
#include "form_edit_money.h"
#include "modal_script.h"
#include "number_box.h"
#include "string_grid.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace catalog_test;
using Answer = UserInteraction::Answer;

namespace {

const QString kSaveQuestion = QStringLiteral("Сохранить изменения?");

QLineEdit* edit(QWidget* w, const char* name) {
    return MainWindowFixture::Find<QLineEdit>(w, name);
}

std::optional<TRecDoc> stored(const TRecDoc& doc) {
    RecordList<TRecDoc> journal;
    TFormLoad().SelectInvoiceList(journal, QString(), doc.DocDate, doc.DocDate);
    for (const auto& d : journal)
        if (d->ID == doc.ID) return *d;
    return std::nullopt;
}

} // namespace

class TestEditorInput : public MainWindowTest {
    Q_OBJECT

    // An order of one line of a goods item of its own at 12.50.
    TRecDoc order(const QString& note = QString()) {
        const int store = DocShop::Store(DocShop::Unique(QStringLiteral("Склад ввода")));
        const int buyer = DocShop::Klient(DocShop::Unique(QStringLiteral("Покупатель ввода")));
        const int goods = DocShop::Good(DocShop::Unique(QStringLiteral("Чай ввода")), 10, 12.5);
        TRecDoc doc = DocShop::Doc(InvoiceFamily(), store, buyer, {{goods, 3, 0, 12.5}});
        if (!note.isEmpty()) {
            doc.Prim = note;
            [&] { QVERIFY(Write([&](TFormLoad& fl) { return fl.UpdateInvoice(doc); })); }();
        }
        return doc;
    }

private Q_SLOTS:
    // Escape and the close box ask about changed header fields: "Отмена" stays, "Нет" leaves
    // the service as it was, "Да" stores them; "Отменить" and an unchanged window never ask.
    void closingAnEditorWithChangesAsks() {
        auto w = f.OpenAdmin();
        TRecDoc doc = order(QStringLiteral("было"));
        {
            TFormEditInvoice e(w.get(), *w, doc);
            e.show();
            QTest::keyClick(&e, Qt::Key_Escape);
            QVERIFY(!e.isVisible());
            QVERIFY(f.Ui->questions.isEmpty());
        }
        TFormEditInvoice e(w.get(), *w, doc);
        e.show();
        e.EdPrim->setText(QStringLiteral("стало"));
        f.Ui->choices << Answer::Cancel << Answer::No;
        QTest::keyClick(&e, Qt::Key_Escape);
        QVERIFY(e.isVisible());
        QCOMPARE(e.EdPrim->text(), QStringLiteral("стало"));
        e.close(); // the close box
        QVERIFY(!e.isVisible());
        QCOMPARE(f.Ui->questions, (QStringList{kSaveQuestion, kSaveQuestion}));
        QCOMPARE(f.Ui->questionDefaults, (QList<bool>{true, true}));
        QCOMPARE(stored(doc)->Prim, QStringLiteral("было"));

        TFormEditInvoice again(w.get(), *w, doc);
        again.show();
        again.EdPrim->setText(QStringLiteral("стало"));
        f.Ui->choices.enqueue(Answer::Yes);
        QTest::keyClick(&again, Qt::Key_Escape);
        QVERIFY(!again.isVisible());
        QCOMPARE(again.result(), int(QDialog::Accepted));
        QCOMPARE(stored(doc)->Prim, QStringLiteral("стало"));

        TFormEditInvoice dropped(w.get(), *w, doc);
        dropped.show();
        dropped.EdPrim->setText(QStringLiteral("не нужно"));
        dropped.ButCancel->click();
        QVERIFY(!dropped.isVisible());
        QCOMPARE(f.Ui->questions.size(), 3);
        QCOMPARE(stored(doc)->Prim, QStringLiteral("стало"));
    }

    // The line editor, the money editor and the catalog editors ask the same.
    void everyEditorAsksAboutItsOwnFields() {
        auto w = f.OpenAdmin();
        TRecDoc doc = order();
        TRecDocItem line = *DocShop::Lines(InvoiceFamily(), doc).front();
        TFormEditInvoiceItem item(w.get(), {doc.StoreID, 0}, line);
        item.show();
        QTest::keyClick(item.EdCen, Qt::Key_Backspace);
        TRecMoney payment;
        TFormEditMoney money(w.get(), *w, payment);
        money.show();
        money.EdPrim->setText(QStringLiteral("аванс"));
        TRecGood goods = Good(QStringLiteral("Товар без вопроса"));
        TFormEditGood good(w.get(), goods);
        good.show();
        good.EdCode->setText(QStringLiteral("A-1"));
        for (QDialog* editor : std::initializer_list<QDialog*>{&item, &money, &good}) {
            QTest::keyClick(editor, Qt::Key_Escape);
            QVERIFY(editor->isVisible());
        }
        QCOMPARE(f.Ui->questions, (QStringList{kSaveQuestion, kSaveQuestion, kSaveQuestion}));
    }

    // "Удалить товар" asks first, No preselected; No keeps the line.
    void deletingALineAsksFirst() {
        auto w = f.OpenAdmin();
        TRecDoc doc = order();
        TFormEditInvoice e(w.get(), *w, doc);
        e.show();
        const QString name = e.SGItems->Cells(1, 1);
        e.SGItems->SetRow(1);
        f.Ui->answers.enqueue(false);
        e.ButDelItem->click();
        QCOMPARE(e.SGItems->RowCount(), 2);
        f.Ui->answers.enqueue(true);
        e.ButDelItem->click();
        QCOMPARE(e.SGItems->RowCount(), 1);
        const QString question =
            QStringLiteral("Товар «%1» будет удален из документа. Продолжить удаление ?").arg(name);
        QCOMPARE(f.Ui->questions, (QStringList{question, question}));
        QCOMPARE(f.Ui->questionDefaults, (QList<bool>{false, false}));
        QVERIFY(DocShop::Lines(InvoiceFamily(), doc).empty());
    }

    // Text that is no number is refused naming its field, the box marked and focused until it
    // is changed, the window kept and nothing sent (the goods and money editors alike:
    // test_form_edit_good, test_form_edit_money).
    void aNumberBoxWithoutANumberIsRefused() {
        auto w = f.OpenAdmin();
        TRecDoc doc = order();
        TRecDocItem line = *DocShop::Lines(InvoiceFamily(), doc).front();
        TFormEditInvoiceItem item(w.get(), {doc.StoreID, 0}, line);
        item.show();
        const auto refused = [&](QLineEdit* box, const QString& text, const QString& message) {
            box->setText(text);
            f.Ui->infos.clear();
            QWidget* editor = box->window();
            editor->findChild<QPushButton*>(QStringLiteral("ButSave"))->click();
            QVERIFY(editor->isVisible());
            QCOMPARE(f.Ui->infos, QStringList{message});
            QVERIFY(IsMarkedRefused(box));
            QCOMPARE(editor->focusWidget(), box);
            QTest::keyClicks(box, QStringLiteral("1")); // the mark goes with the first change
            QVERIFY(!IsMarkedRefused(box));
        };
        refused(item.EdCen, QStringLiteral("сорок"),
                QStringLiteral("В поле «Прод.цена» должно быть число, а не «сорок»."));
        item.EdCen->setText(QStringLiteral("40"));
        refused(item.EdKol, QStringLiteral("abc"),
                QStringLiteral("В поле «Количество» должно быть число, а не «abc»."));
        refused(item.EdKol, QString(), QStringLiteral("В поле «Количество» должно быть число."));
        item.EdKol->setText(QStringLiteral("3"));
        refused(item.EdKolPack, QStringLiteral("2x"),
                QStringLiteral("В поле «Кол-во упаковок» должно быть число, а не «2x»."));
        QCOMPARE(DocShop::Lines(InvoiceFamily(), doc).front()->CenR, 12.5);
    }

    // ИНН, БИК and the settlement account the person types are checked, check digits included
    // (the checks themselves: test_requisites_check); what was stored before, however wrong,
    // stays and does not stop a save of other fields.
    void requisitesAreCheckedWhereTheyAreTyped() {
        auto w = f.OpenAdmin();
        const QString name = DocShop::Unique(QStringLiteral("Покупатель с ИНН"));
        const int id = AddKlient(name, 1);
        RecordList<TRecKlient> list;
        TFormLoad().SelectKlientList(list, name, 1);
        TRecKlient rec = *FindByName(list, name);

        TFormEditKl e(w.get(), rec);
        e.show();
        const auto refused = [&](const char* box, const QString& text, const QString& message) {
            f.Ui->infos.clear();
            edit(&e, box)->setText(text);
            e.ButSave->click();
            QVERIFY(e.isVisible());
            QCOMPARE(f.Ui->infos, QStringList{message});
            QVERIFY(IsMarkedRefused(edit(&e, box)));
        };
        refused(
            "EdInn", QStringLiteral("12ab"),
            QStringLiteral("ИНН должен состоять из 10 цифр (организация) или 12 цифр (предприниматель)."));
        refused("EdInn", QStringLiteral("7707083894"),
                QStringLiteral("ИНН 7707083894 неверен: не сходятся контрольные цифры."));
        edit(&e, "EdInn")->setText(QStringLiteral("500100732259"));
        refused("EdBik", QStringLiteral("БИК"), QStringLiteral("БИК должен состоять из 9 цифр."));
        edit(&e, "EdBik")->setText(QStringLiteral("044525225"));
        refused(
            "EdRs", QStringLiteral("40702810300000000001"),
            QStringLiteral("Расчетный счет 40702810300000000001 не соответствует БИК 044525225: не сходится "
                           "контрольный разряд."));
        edit(&e, "EdRs")->setText(QStringLiteral("40702810200000000001"));
        edit(&e, "EdKpp")->setText(QStringLiteral("7701AB001"));
        e.ButSave->click();
        QVERIFY(!e.isVisible());
        TFormLoad fl;
        QCOMPARE(fl.SelectBank(id)->Inn, QStringLiteral("500100732259"));

        // Malformed values stored by another program open, and a new name saves past them.
        TRecBank old;
        old.ID = id;
        old.Inn = QStringLiteral("12ab");
        old.Bik = QStringLiteral("БИК");
        QVERIFY(Write([&](TFormLoad& writer) { return writer.UpdateBank(old); }));
        TFormEditKl stale(w.get(), rec);
        stale.show();
        QCOMPARE(edit(&stale, "EdBik")->text(), QStringLiteral("БИК"));
        stale.EdName->setText(name + QStringLiteral(" 2"));
        stale.ButSave->click();
        QVERIFY(!stale.isVisible());
        QCOMPARE(fl.SelectBank(id)->Inn, QStringLiteral("12ab"));
    }
};

QTEST_MAIN(TestEditorInput)
#include "test_editor_input.moc"
