// Receipt lines from a supplier's spreadsheet, against the real service: real .xlsx written by
// libxlsxwriter and an .xls saved by LibreOffice Calc; matching by code, barcode and name;
// unmatched rows becoming new goods; the questions, refusals and unreadable files.
#include "date_time.h"
#include "demo_session.h"
#include "doc_pickers.h"
#include "doc_shop.h"
#include "form_edit_doc.h"
#include "form_edit_prh.h"
#include "main_window_test.h"
#include "string_grid.h"
#include "xlsx_book.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

using DocShop::Unique;

namespace {

const QString kInstruction = QStringLiteral(
    "Загрузка товаров из файла Excel.\r\nДанные должны быть на первом листе.\r\n"
    "Колонка \u0410 - код товара.\r\nКолонка \u0412 - наименование товара.\r\n"
    "Колонка \u0421 - количество товара.\r\nКолонка D - цена товара.\r\nКолонка E - штрих-код товара.\r\n"
    "Колонки A и E могут быть пустыми.\r\nВ колонках C и D должны быть корректные числа.\r\nПрододжить ?");
const QString kFixture = QStringLiteral(KOVREL_FIXTURES_DIR "/receipt-import.xls");

// A goods item of the catalog as the service now holds it, by exact name.
std::optional<TRecGood> goodsNamed(const QString& name) {
    RecordList<TRecGood> list;
    TFormLoad fl;
    fl.SelectGoodList(list, name, false);
    return FindByName(list, name);
}

struct Imported {
    QStringList grid; // names in the lines grid after the import
    int result = -1;
};

// Opens the receipt editor on the record and presses "Загрузить из Excel"; the questions are
// answered and the file chosen from the script.
Imported importInto(TMainF& w, TRecDoc& rec, const QString& file, const QList<bool>& answers,
                    ScriptedInteraction::State& ui) {
    ui.answers.clear();
    for (const bool a : answers)
        ui.answers.enqueue(a);
    ui.fileNames.clear();
    ui.fileNames.enqueue(file);
    Imported out;
    ModalScript script;
    script.Then([&](QWidget* window) {
        auto* ed = ModalScript::As<TFormEditDoc>(window);
        ed->ButLoadExcel->click();
        for (int i = 0; i < ed->ListItemsSort.Count(); ++i)
            out.grid << ed->SGItems->Cells(1, i + 1);
        ed->ButCancel->click();
    });
    out.result = WindowSeams().FormEditPrh(&w, w, rec);
    return out;
}

int importRequests(ServerProcess& server) {
    return server.Log().count(QStringLiteral("/insert-prh-excel-win.php"));
}

} // namespace

class TestReceiptImport : public MainWindowTest {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

    // A new receipt for today with its supplier and store chosen.
    TRecDoc newReceipt(const QString& what) {
        TRecDoc rec;
        rec.DocDate = kovrel::Today();
        rec.KlientID = DocShop::Klient(Unique(QStringLiteral("Поставщик ") + what));
        rec.StoreID = DocShop::Store(Unique(QStringLiteral("Склад ") + what));
        return rec;
    }

private Q_SLOTS:
    // A new receipt: supplier and store from the program's pickers, then the sheet. The title
    // row is a row like the others; codes and barcodes match first, names exactly.
    void anXlsxBecomesTheLinesOfANewReceipt() {
        auto w = f.OpenAdmin();
        const QString n = Unique(QStringLiteral("X"));
        const int byCode =
            DocShop::Good(QStringLiteral("Чай цейлонский ") + n, 1, 150, 0, QStringLiteral("IMP-") + n);
        const int byBarCode = DocShop::Good(QStringLiteral("Какао ") + n, 1, 200, 0, QString(),
                                            QStringLiteral("4690%1").arg(n));
        DocShop::Good(QStringLiteral("Пастила ") + n, 1, 90);
        const QString supplierName = Unique(QStringLiteral("Поставщик из файла"));
        DocShop::Klient(supplierName);
        const QString storeName = Unique(QStringLiteral("Склад из файла"));
        const int store = DocShop::Store(storeName);
        XlsxBook book(path(QStringLiteral("delivery.xlsx")));
        book.Sheet(QStringLiteral("Поставка"))
            .Row(1, {"Код", "Наименование", "Количество", "Цена", "Штрих-код"})
            .Row(2, {"IMP-" + n, "Чай (другое имя в файле)", "", "120.5"})
            .Text(2, 3, QStringLiteral("2,5"))
            .Row(3, {"", "Какао из файла", "12", "", QStringLiteral("4690%1").arg(n)})
            .Text(3, 4, QStringLiteral("45,90"))
            .Row(4, {"", "пастила " + n, "3", "310"})
            .Row(5, {"IMP-" + n + "-9", "", "5", "10"})
            .Row(6, {"", "Новинка " + n, "7", "99.99", "  "})
            .Row(7,
                 {"IMP-" + n + "-404", "Какао под чужим кодом", "1", "50", QStringLiteral("4690%1").arg(n)});
        QVERIFY(book.Close());
        f.Ui->answers << true << true;
        f.Ui->fileNames << path(QStringLiteral("delivery.xlsx"));
        TRecDoc rec;
        rec.DocDate = kovrel::Today();
        QStringList grid;
        ModalScript script;
        script
            .Then([&](QWidget* window) {
                auto* ed = ModalScript::As<TFormEditDoc>(window);
                ed->ButSelI->click();
                ed->ButSelP->click();
                ed->ButLoadExcel->click();
                for (int i = 0; i < ed->ListItemsSort.Count(); ++i)
                    grid << ed->SGItems->Cells(1, i + 1);
                ed->ButCancel->click();
            })
            .Then(ChooseInPicker(supplierName))
            .Then(ChooseInPicker(storeName));
        WindowSeams().FormEditPrh(w.get(), *w, rec);

        QCOMPARE(f.Ui->questions,
                 (QStringList{kInstruction, QStringLiteral("Найдено 6 строк. Продолжить ?")}));
        QCOMPARE(f.Ui->questionDefaults, (QList<bool>{true, true}));
        QCOMPARE(f.Ui->fileDialogs,
                 QStringList{QStringLiteral("Загрузка заказа из Excel|Файлы Excel|*.xls*")});
        QVERIFY(rec.ID > 0); // stored before the question
        QCOMPARE(rec.StoreID, store);
        QCOMPARE(grid.size(), 6);
        QCOMPARE(importRequests(f.Service()), 1);

        const auto pastila = goodsNamed(QStringLiteral("пастила ") + n); // case counts: a new item
        const auto novelty = goodsNamed(QStringLiteral("Новинка ") + n);
        const auto title = goodsNamed(QStringLiteral("Наименование"));
        QVERIFY(pastila && novelty && title);
        QCOMPARE(novelty->BarCode, QString());
        const auto line = [&](int goods) { return DocShop::LineOf(PrhFamily(), rec, goods); };
        QCOMPARE(line(byCode).Kol, 2.5);
        QCOMPARE(line(byCode).CenZ, 120.5);
        QCOMPARE(line(pastila->ID).Kol, 3.0);
        QCOMPARE(line(novelty->ID).CenZ, 99.99);
        QCOMPARE(line(title->ID).Kol, 0.0); // "Количество" and "Цена" are not numbers
        QCOMPARE(line(title->ID).CenZ, 0.0);
        int barCodeLines = 0;
        for (const auto& l : DocShop::Lines(PrhFamily(), rec))
            if (l->IDGood == byBarCode) ++barCodeLines;
        QCOMPARE(barCodeLines, 2); // by barcode, and by barcode after a code that matched nothing
    }

    // A sheet saved by a real spreadsheet program, into a stored receipt.
    void anXlsFromCalc() {
        auto w = f.OpenAdmin();
        const int halva =
            DocShop::Good(QStringLiteral("Халва подсолнечная XLS"), 1, 150, 0, QStringLiteral("XLS-001"));
        const int zephyr = DocShop::Good(QStringLiteral("Зефир ванильный XLS"), 1, 90, 0, QString(),
                                         QStringLiteral("4690000000017"));
        DocShop::Good(QStringLiteral("Пастила яблочная"), 1, 120);
        TRecDoc rec = newReceipt(QStringLiteral("xls"));
        rec = DocShop::Doc(PrhFamily(), rec.KlientID, rec.StoreID);
        const Imported done = importInto(*w, rec, kFixture, {true, true}, *f.Ui);
        QCOMPARE(f.Ui->questions.value(1), QStringLiteral("Найдено 5 строк. Продолжить ?"));
        QCOMPARE(done.grid.size(), 5);
        const auto line = [&](int goods) { return DocShop::LineOf(PrhFamily(), rec, goods); };
        QCOMPARE(line(halva).Kol, 2.5);
        QCOMPARE(line(halva).CenZ, 120.5);
        QCOMPARE(line(zephyr).Kol, 12.0);
        QCOMPARE(line(zephyr).CenZ, 45.9);
        const auto marmalade = goodsNamed(QStringLiteral("Мармелад жевательный"));
        QVERIFY(marmalade);
        QCOMPARE(marmalade->BarCode, QStringLiteral("4690000000024"));
        QCOMPARE(line(marmalade->ID).CenZ, 45323.0); // a date where the price belongs: its number
        QVERIFY(goodsNamed(QStringLiteral("пастила яблочная")));
    }

    // Each question can stop the import; the receipt was stored before the first one.
    void noToEitherQuestionSendsNothing() {
        auto w = f.OpenAdmin();
        XlsxBook book(path(QStringLiteral("small.xlsx")));
        book.Sheet(QStringLiteral("Лист1")).Row(1, {"", Unique(QStringLiteral("Товар")), "1", "10"});
        QVERIFY(book.Close());
        for (const QList<bool>& answers : {QList<bool>{false}, QList<bool>{true, false}}) {
            TRecDoc rec = newReceipt(QStringLiteral("без загрузки"));
            const int before = importRequests(f.Service());
            const Imported done = importInto(*w, rec, path(QStringLiteral("small.xlsx")), answers, *f.Ui);
            QVERIFY(rec.ID > 0);
            QVERIFY(done.grid.isEmpty());
            QCOMPARE(importRequests(f.Service()), before);
        }
        QCOMPARE(f.Ui->fileDialogs.size(), 1); // the first "No" came before the file dialog
    }

    void aSheetWithoutUsableRowsSendsNothing() {
        auto w = f.OpenAdmin();
        XlsxBook book(path(QStringLiteral("empty-rows.xlsx")));
        book.Sheet(QStringLiteral("Лист1"))
            .Row(1, {"A-1", "Без цены", "3"})
            .Row(2, {"A-2", "", "3", "10"})
            .Row(3, {"A-3", "Без количества", "", "10"});
        QVERIFY(book.Close());
        TRecDoc rec = newReceipt(QStringLiteral("пустой"));
        const int before = importRequests(f.Service());
        const Imported done =
            importInto(*w, rec, path(QStringLiteral("empty-rows.xlsx")), {true, true}, *f.Ui);
        QCOMPARE(f.Ui->questions.value(1), QStringLiteral("Найдено 0 строк. Продолжить ?"));
        QVERIFY(done.grid.isEmpty());
        QCOMPARE(importRequests(f.Service()), before);
    }

    // The reader's own words reach the user; nothing is asked or sent after them.
    void anUnreadableFileShowsWhyAndSendsNothing() {
        auto w = f.OpenAdmin();
        QFile bad(path(QStringLiteral("prices.xls")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("Код;Наименование;Количество\n");
        bad.close();
        TRecDoc rec = newReceipt(QStringLiteral("плохой файл"));
        const int before = importRequests(f.Service());
        importInto(*w, rec, bad.fileName(), {true, true}, *f.Ui);
        QCOMPARE(f.Ui->errors, QStringList{QStringLiteral(
                                   "Файл «prices.xls» не является книгой Excel (.xlsx, .xlsm или .xls).")});
        QCOMPARE(f.Ui->questions, QStringList{kInstruction});
        QCOMPARE(importRequests(f.Service()), before);

        // A file that went away between the dialog and the reading: nothing at all.
        importInto(*w, rec, path(QStringLiteral("gone.xlsx")), {true}, *f.Ui);
        QCOMPARE(f.Ui->errors.size(), 1);
    }

    void supplierAndStoreAreNeeded() {
        auto w = f.OpenAdmin();
        TRecDoc rec = newReceipt(QStringLiteral("без поставщика"));
        rec.KlientID = 0;
        importInto(*w, rec, kFixture, {true, true}, *f.Ui);
        QCOMPARE(f.Ui->infos,
                 QStringList{QStringLiteral("Необходимо указать поставщика и получателя товаров !")});
        QCOMPARE(rec.ID, 0);
        QVERIFY(f.Ui->questions.isEmpty());
    }

    // Thousands of rows of a sheet four columns wide go in one request.
    void thousandsOfRowsInOneRequest() {
        auto w = f.OpenAdmin();
        const QString n = Unique(QStringLiteral("N"));
        QStringList codes;
        for (int i = 0; i < 3; ++i) {
            codes << QStringLiteral("BULK-%1-%2").arg(n).arg(i);
            DocShop::Good(QStringLiteral("Товар партии %1 %2").arg(n).arg(i), 1, 10, 0, codes.last());
        }
        constexpr int kRows = 3000;
        XlsxBook book(path(QStringLiteral("bulk.xlsx")));
        book.Sheet(QStringLiteral("Лист1"));
        for (int r = 1; r <= kRows; ++r)
            book.Row(r,
                     {codes[r % 3], QStringLiteral("строка %1").arg(r), QString::number(r % 7 + 1), "9.5"});
        QVERIFY(book.Close());
        TRecDoc rec = newReceipt(QStringLiteral("большой"));
        const int before = importRequests(f.Service());
        const Imported done = importInto(*w, rec, path(QStringLiteral("bulk.xlsx")), {true, true}, *f.Ui);
        QCOMPARE(f.Ui->questions.value(1), QStringLiteral("Найдено 3000 строк. Продолжить ?"));
        QCOMPARE(importRequests(f.Service()), before + 1);
        QCOMPARE(done.grid.size(), kRows);
        QCOMPARE(DocShop::Lines(PrhFamily(), rec).size(), size_t(kRows));
    }
};

QTEST_MAIN(TestReceiptImport)
#include "test_receipt_import.moc"
