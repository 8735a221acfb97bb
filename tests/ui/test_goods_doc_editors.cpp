// The goods-document editors against the real service, opened as the journals open them: the
// header stored with the first line, store changes and the guards, kits, rights and days
// locks, each kind's stock rule on deleting a line, the totals.
#include "date_picker.h"
#include "date_time.h"
#include "demo_session.h"
#include "doc_forms.h"
#include "doc_pickers.h"
#include "doc_print_forms.h"
#include "doc_shop.h"
#include "form_edit_doc.h"
#include "form_edit_doc_item.h"
#include "form_load.h"
#include "main_window_test.h"
#include "modal_script.h"
#include "status_bar.h"
#include "string_grid.h"
#include "upd_file.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>

using DocShop::Unique;

namespace {

const QString kNoStock =
    QStringLiteral("Недостаточное количество товара на складе ! Остаток товара не может быть меньше нуля.");
const QString kStoreLocked =
    QStringLiteral("Изменение склада для документа с выбранными товарами запрещено !");

using Seam = std::function<int(QWidget*, TSelectionSlot&, TRecDoc&)> TWindowSeams::*;

struct Kind {
    const TDocFamily& family;
    Seam seam;
};

Kind nkl() {
    return {NklFamily(), &TWindowSeams::FormEditNkl};
}
Kind prh() {
    return {PrhFamily(), &TWindowSeams::FormEditPrh};
}
Kind invoice() {
    return {InvoiceFamily(), &TWindowSeams::FormEditInvoice};
}
Kind vnk() {
    return {VnkFamily(), &TWindowSeams::FormEditVnk};
}

// Opens the kind's editor on the record as a journal does, the script acting in it.
int open(TMainF& w, const Kind& kind, TRecDoc& rec) {
    return (WindowSeams().*kind.seam)(&w, w, rec);
}

QStringList row(StringGrid* g, int r) {
    QStringList cells;
    for (int c = 0; c < g->ColCount(); ++c)
        cells << g->Cells(c, r);
    return cells;
}

template <class... W>
QList<bool> enabled(W*... widgets) {
    return {(widgets && widgets->isEnabled())...};
}

// The journal's documents of today, as "Обновить" would list them.
std::optional<TRecDoc> inJournal(int id) {
    RecordList<TRecDoc> list;
    TFormLoad fl;
    fl.SelectNklList(list, QString(), kovrel::Today(), kovrel::Today());
    for (const auto& d : list)
        if (d->ID == id) return *d;
    return std::nullopt;
}

} // namespace

class TestGoodsDocEditors : public MainWindowTest {
    Q_OBJECT

private Q_SLOTS:
    // Through the program's own pickers: the store, the buyer, then goods from the store's stock.
    void newWaybillIsStoredWithItsFirstLineAndStaysAfterCancel() {
        auto w = f.OpenAdmin();
        const QString storeName = Unique(QStringLiteral("Склад первой строки"));
        const int store = DocShop::Store(storeName);
        const QString goodsName = Unique(QStringLiteral("Мука пшеничная"));
        const int goods = DocShop::Good(goodsName, 1, 55.5);
        DocShop::Receive(store, goods, 10, 30);
        const QString buyerName = Unique(QStringLiteral("ООО Ромашка"));
        const int buyer = DocShop::Klient(buyerName);
        TRecDoc rec; // as "Добавить" makes it
        rec.DocDate = kovrel::Today();

        ModalScript script;
        script
            .Then([&](QWidget* window) {
                auto* ed = ModalScript::As<TFormEditDoc>(window);
                QCOMPARE(ed->windowTitle(), QStringLiteral("Расходная накладная"));
                QCOMPARE(ed->SGItems->RowCount(), 1); // no lines: the heading row only
                QCOMPARE(ed->SGItems->FixedRows(), 0);
                ed->ButSelI->click();
                ed->ButSelP->click();
                QCOMPARE(ed->LabI->text(), storeName);
                QCOMPARE(ed->LabP->text(), buyerName);
                ed->EdPrim->setText(QStringLiteral("  с первой строкой  "));
                ed->ButInsItem->click(); // the line editor opens and is cancelled
                QVERIFY(ed->LocalRec.ID > 0);
                QCOMPARE(ed->SGItems->RowCount(), 2);
                QCOMPARE(row(ed->SGItems, 0), (QStringList{"", "Наименование", "Кол-во", "Цена", "Сумма"}));
                QCOMPARE(row(ed->SGItems, 1), (QStringList{"1", goodsName, "0", "55.50", "0.00"}));
                QCOMPARE(ed->SBarInfo->PanelText(0), QStringLiteral("Ответ получен."));
                ed->ButCancel->click();
            })
            .Then(ChooseInPicker(storeName))
            .Then(ChooseInPicker(buyerName))
            .Then([&](QWidget* window) {
                // The store's stock, without "Добавить".
                auto* picker = ModalScript::As<QDialog>(window);
                QCOMPARE(picker->windowTitle(), QStringLiteral("Выбор товара"));
                QVERIFY(!picker->findChild<QPushButton*>(QStringLiteral("ButIns"))->isVisibleTo(picker));
                ChooseInPicker(goodsName)(window);
            })
            .Then([&](QWidget* window) {
                auto* line = ModalScript::As<TFormEditDocItem>(window);
                QCOMPARE(line->LabName->text(), QStringLiteral("Наименование: ") + goodsName);
                QCOMPARE(line->LabOst.at(0)->text(), QStringLiteral("Остаток: 10 + 0 = 10"));
                line->ButCancel->click();
            });
        QCOMPARE(open(*w, nkl(), rec), int(QDialog::Rejected));
        QCOMPARE(script.Pending(), 0);

        const auto stored = inJournal(rec.ID);
        QVERIFY(stored);
        QCOMPARE(stored->StoreID, store);
        QCOMPARE(stored->KlientID, buyer);
        QCOMPARE(stored->Prim, QStringLiteral("с первой строкой"));
        const auto lines = DocShop::Lines(NklFamily(), rec);
        QCOMPARE(lines.size(), size_t(1));
        QCOMPARE(lines[0]->Kol, 0.0);
        QCOMPARE(lines[0]->CenR, 55.5);
        QCOMPARE(lines[0]->CenZ, 30.0); // the purchase price of the stock it was picked from
        QVERIFY(f.Ui->infos.isEmpty());
    }

    // The pickers each kind opens "Добавить товар" with.
    void theGoodsPickerOfEachKind() {
        auto w = f.OpenAdmin();
        const int store = DocShop::Store(Unique(QStringLiteral("Склад выбора")));
        const int other = DocShop::Store(Unique(QStringLiteral("Склад приема")));
        DocPickers pickers;
        pickers.goods = {DocPickers::Cancelled(), DocPickers::Cancelled(), DocPickers::Cancelled(),
                         DocPickers::Cancelled()};
        QList<TRecDoc> docs{DocShop::Doc(NklFamily(), store, 0), DocShop::Doc(PrhFamily(), 0, store),
                            DocShop::Doc(InvoiceFamily(), store, 0), DocShop::Doc(VnkFamily(), store, other)};
        const auto add = [](QWidget* window) {
            auto* ed = ModalScript::As<TFormEditDoc>(window);
            ed->ButInsItem->click();
            ed->ButCancel->click();
        };
        ModalScript script;
        script.Then(add).Then(add).Then(add).Then(add);
        const std::vector<Kind> kinds{nkl(), prh(), invoice(), vnk()};
        for (size_t i = 0; i < kinds.size(); ++i)
            open(*w, kinds[i], docs[int(i)]);
        QCOMPARE(pickers.goodsAsked.size(), 4);
        const auto args = [](const TListGoodArgs& a) {
            return QList<int>{a.FlagIns, a.SelCodeStore, a.SelFlagZero, a.SelMode};
        };
        QCOMPARE(args(pickers.goodsAsked[0]), (QList<int>{0, store, 0, 2}));
        QCOMPARE(args(pickers.goodsAsked[1]), (QList<int>{1, store, 1, 1}));
        QCOMPARE(args(pickers.goodsAsked[2]), (QList<int>{1, store, 1, 1}));
        QCOMPARE(args(pickers.goodsAsked[3]), (QList<int>{0, store, 0, 2}));
    }

    // Guards of "Сохранить" and "Добавить товар" per kind; nothing reaches the service.
    void missingStoresAreRefusedWithTheKindsMessages_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("save");
        QTest::addColumn<QString>("add");
        QTest::newRow("waybill") << 0 << "Необходимо указать отправителя товаров !"
                                 << "Необходимо указать отправителя товаров !";
        QTest::newRow("receipt") << 1 << "Необходимо указать получателя товаров !"
                                 << "Необходимо указать получателя товаров !";
        QTest::newRow("order") << 2 << "Необходимо указать отправителя товаров !"
                               << "Необходимо указать получателя товаров !";
        QTest::newRow("transfer") << 3 << "Необходимо указать отправителя и получателя товаров !"
                                  << "Необходимо указать отправителя и получателя товаров !";
    }
    void missingStoresAreRefusedWithTheKindsMessages() {
        QFETCH(int, kind);
        QFETCH(QString, save);
        QFETCH(QString, add);
        const Kind k = std::vector<Kind>{nkl(), prh(), invoice(), vnk()}.at(kind);
        auto w = f.OpenAdmin();
        DocPickers pickers;
        TRecDoc rec;
        rec.DocDate = kovrel::Today();
        // A transfer needs both stores: the sending one alone is not enough.
        if (kind == 3) rec.StoreIDI = DocShop::Store(Unique(QStringLiteral("Склад отправитель")));
        ModalScript script;
        script.Then([&](QWidget* window) {
            auto* ed = ModalScript::As<TFormEditDoc>(window);
            ed->ButSave->click();
            ed->ButInsItem->click();
            QVERIFY(ed->isVisible());
            ed->ButCancel->click();
        });
        QCOMPARE(open(*w, k, rec), int(QDialog::Rejected));
        QCOMPARE(f.Ui->infos, (QStringList{save, add}));
        QCOMPARE(rec.ID, 0);
        QVERIFY(pickers.goodsAsked.isEmpty());
    }

    void storeChangeIsRefusedWhileLinesExistAndAllowedAfterDeletingThem() {
        auto w = f.OpenAdmin();
        const int store = DocShop::Store(Unique(QStringLiteral("Склад смены")));
        const QString otherName = Unique(QStringLiteral("Другой склад"));
        const int other = DocShop::Store(otherName);
        const int goods = DocShop::Good(Unique(QStringLiteral("Соль")), 1, 20);
        DocShop::Receive(store, goods, 5);
        TRecDoc rec = DocShop::Doc(NklFamily(), store, 0, {{goods, 2, 10, 20}});
        DocPickers pickers;
        pickers.klients = {
            {QStringLiteral("Новый покупатель"), DocShop::Klient(QStringLiteral("Новый покупатель"))}};
        pickers.stores = {{otherName, other}};
        ModalScript script;
        script.Then([&](QWidget* window) {
            auto* ed = ModalScript::As<TFormEditDoc>(window);
            ed->ButSelI->click();
            QCOMPARE(f.Ui->infos, QStringList{kStoreLocked});
            QCOMPARE(pickers.storesAsked, 0);
            ed->ButSelP->click(); // the buyer may change
            QCOMPARE(ed->LabP->text(), QStringLiteral("Новый покупатель"));
            ed->SGItems->SetRow(1);
            ed->ButDelItem->click();
            QCOMPARE(ed->ListItemsSort.Count(), 0);
            ed->ButSelI->click();
            QCOMPARE(ed->LabI->text(), otherName);
            ed->ButSave->click();
        });
        QCOMPARE(open(*w, nkl(), rec), int(QDialog::Accepted));
        QCOMPARE(f.Ui->infos, QStringList{kStoreLocked});
        QCOMPARE(inJournal(rec.ID)->StoreID, other);
    }

    void bothStoresOfATransferAreLockedByItsLines() {
        auto w = f.OpenAdmin();
        const int from = DocShop::Store(Unique(QStringLiteral("Склад А")));
        const int to = DocShop::Store(Unique(QStringLiteral("Склад Б")));
        const int goods = DocShop::Good(Unique(QStringLiteral("Крупа")), 1, 40);
        DocShop::Receive(from, goods, 3);
        TRecDoc rec = DocShop::Doc(VnkFamily(), from, to, {{goods, 1, 10, 40}});
        DocPickers pickers;
        ModalScript script;
        script.Then([&](QWidget* window) {
            auto* ed = ModalScript::As<TFormEditDoc>(window);
            QCOMPARE(ed->ButSelI->objectName(), QStringLiteral("ButSelI"));
            QCOMPARE(ed->ButSelI->text(), QStringLiteral("Выбор отправителя"));
            QCOMPARE(ed->ButSelP->text(), QStringLiteral("Выбор получателя"));
            ed->ButSelI->click();
            ed->ButSelP->click();
            ed->ButCancel->click();
        });
        open(*w, vnk(), rec);
        QCOMPARE(f.Ui->infos, (QStringList{kStoreLocked, kStoreLocked}));
        QCOMPARE(pickers.storesAsked, 0);
    }

    // A picker closed without a choice clears the store; saving then refuses.
    void closingTheStorePickerClearsTheStore() {
        auto w = f.OpenAdmin();
        TRecDoc rec = DocShop::Doc(NklFamily(), DocShop::Store(Unique(QStringLiteral("Склад очистки"))), 0);
        rec.StoreName = QStringLiteral("был склад");
        DocPickers pickers;
        pickers.stores = {DocPickers::Cancelled()};
        ModalScript script;
        script.Then([&](QWidget* window) {
            auto* ed = ModalScript::As<TFormEditDoc>(window);
            QCOMPARE(ed->LabI->text(), QStringLiteral("был склад"));
            ed->ButSelI->click();
            QCOMPARE(ed->LabI->text(), QString());
            QCOMPARE(ed->LocalRec.StoreID, -1);
            ed->ButSave->click();
            ed->ButCancel->click();
        });
        open(*w, nkl(), rec);
        QCOMPARE(f.Ui->infos, QStringList{QStringLiteral("Необходимо указать отправителя товаров !")});
    }

    // A stored document whose store was changed before its first line: the header is stored
    // again first, so the line goes to the store whose stock the editor shows.
    void aLineAfterAStoreChangeGoesToTheNewStore() {
        auto w = f.OpenAdmin();
        const int first = DocShop::Store(Unique(QStringLiteral("Склад прежний")));
        const QString secondName = Unique(QStringLiteral("Склад новый"));
        const int second = DocShop::Store(secondName);
        const QString goodsName = Unique(QStringLiteral("Сода"));
        const int goods = DocShop::Good(goodsName, 1, 15);
        DocShop::Receive(second, goods, 4);
        TRecDoc rec = DocShop::Doc(NklFamily(), first, 0);
        DocPickers pickers;
        pickers.stores = {{secondName, second}};
        pickers.goods = {{goodsName, goods, 15, 10}};
        ModalScript script;
        script
            .Then([&](QWidget* window) {
                auto* ed = ModalScript::As<TFormEditDoc>(window);
                ed->ButSelI->click();
                ed->ButInsItem->click();
                ed->ButCancel->click();
            })
            .Then([&](QWidget* window) {
                auto* line = ModalScript::As<TFormEditDocItem>(window);
                QCOMPARE(line->LabOst.at(0)->text(), QStringLiteral("Остаток: 4 + 0 = 4"));
                line->EdKol->setText(QStringLiteral("4"));
                line->ButSave->click();
            });
        open(*w, nkl(), rec);
        QCOMPARE(inJournal(rec.ID)->StoreID, second);
        QCOMPARE(DocShop::LineOf(NklFamily(), rec, goods).Kol, 4.0);
        QVERIFY(f.Ui->infos.isEmpty());
    }

    // A kit's own line shows its price and sum; its components show ">> ", their quantities and
    // nothing else; none of them opens a line editor or can be deleted.
    void kitLinesAreMarkedAndProtected_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("waybill") << 0;
        QTest::newRow("order") << 2;
    }
    void kitLinesAreMarkedAndProtected() {
        QFETCH(int, kind);
        const Kind k = std::vector<Kind>{nkl(), prh(), invoice(), vnk()}.at(kind);
        auto w = f.OpenAdmin();
        const TRecGood kit = DocShop::AnyKit();
        const int store = DocShop::Store(Unique(QStringLiteral("Склад комплектов")));
        TRecDoc rec = DocShop::Doc(k.family, store, 0);
        DocPickers pickers;
        pickers.goods = {{kit.Name, kit.ID, 500, 0}};
        ModalScript script;
        script
            .Then([&](QWidget* window) {
                auto* ed = ModalScript::As<TFormEditDoc>(window);
                ed->ButInsItem->click();
                StringGrid* g = ed->SGItems;
                QVERIFY(g->RowCount() > 2);
                QCOMPARE(row(g, 1), (QStringList{"1", kit.Name, "0", "500.00", "0.00"}));
                for (int r = 2; r < g->RowCount(); ++r) {
                    QVERIFY2(g->Cells(1, r).startsWith(QStringLiteral(">> ")), qPrintable(g->Cells(1, r)));
                    QCOMPARE(g->Cells(3, r), QString());
                    QCOMPARE(g->Cells(4, r), QString());
                }
                const int lines = ed->ListItemsSort.Count();
                for (int r : {1, 2}) {
                    g->SetRow(r);
                    ed->ButEditItem->click(); // would block in a line editor no step closes
                    ed->ButDelItem->click();
                    QCOMPARE(ed->ListItemsSort.Count(), lines);
                }
                ed->ButCancel->click();
            })
            .Then([&](QWidget* window) { ModalScript::As<TFormEditDocItem>(window)->ButCancel->click(); });
        open(*w, k, rec);
        QCOMPARE(script.Pending(), 0);
        QVERIFY(DocShop::Lines(k.family, rec).size() > 1);
    }

    void theKindsWindows_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("rows"); // object name and caption of both header buttons
        QTest::addColumn<QString>("price");
        QTest::addColumn<QStringList>("printForms");
        QTest::newRow("waybill") << 0 << "Расходная накладная"
                                 << QStringList{"ButSelStore", "Выбор склада", "ButSelKl", "Выбор покупателя"}
                                 << "Цена"
                                 << QStringList{"накладная без упаковок", "накладная с упаковками",
                                                "счет-фактура", "накладная ТОРГ-12", "УПД"};
        QTest::newRow("receipt") << 1 << "Приходная накладная"
                                 << QStringList{"ButSelKl", "Выбор поставщика", "ButSelStore", "Выбор склада"}
                                 << "Закуп. цена"
                                 << QStringList{"накладная без упаковок", "накладная с упаковками"};
        QTest::newRow("order") << 2 << "Заказ (счет)"
                               << QStringList{"ButSelStore", "Выбор склада", "ButSelKl", "Выбор покупателя"}
                               << "Цена"
                               << QStringList{"заказ без упаковок", "заказ с упаковками", "счет на оплату"};
        QTest::newRow("transfer") << 3 << "Внутренняя накладная"
                                  << QStringList{"ButSelI", "Выбор отправителя", "ButSelP",
                                                 "Выбор получателя"}
                                  << "Цена"
                                  << QStringList{"накладная без упаковок", "накладная с упаковками",
                                                 "накладная ТОРГ-13"};
    }
    void theKindsWindows() {
        QFETCH(int, kind);
        QFETCH(QString, caption);
        QFETCH(QStringList, rows);
        QFETCH(QString, price);
        QFETCH(QStringList, printForms);
        const Kind k = std::vector<Kind>{nkl(), prh(), invoice(), vnk()}.at(kind);
        auto w = f.OpenAdmin();
        TRecDoc rec;
        rec.DocDate = kovrel::Today();
        rec.KlientName = QStringLiteral("контрагент");
        rec.StoreName = QStringLiteral("склад");
        rec.StoreNameI = QStringLiteral("отправитель");
        rec.StoreNameP = QStringLiteral("получатель");
        ModalScript script;
        script.Then([&](QWidget* window) {
            auto* ed = ModalScript::As<TFormEditDoc>(window);
            QCOMPARE(ed->windowTitle(), caption);
            QCOMPARE(ed->size(), QSize(684, 661));
            QCOMPARE((QStringList{ed->ButSelI->objectName(), ed->ButSelI->text(), ed->ButSelP->objectName(),
                                  ed->ButSelP->text()}),
                     rows);
            QCOMPARE(ed->SGItems->Cells(3, 0), price);
            QCOMPARE(ed->SGItems->ColWidths(1), 320);
            QStringList items;
            for (int i = 0; i < ed->ComBoxPrint->count(); ++i)
                items << ed->ComBoxPrint->itemText(i);
            QCOMPARE(items, printForms);
            QCOMPARE(ed->ComBoxPrint->currentIndex(), 0);
            QCOMPARE(ed->ButLoadExcel != nullptr, kind == 1);
            QCOMPARE(ed->ButUpdXml != nullptr, kind == 0);
            if (ed->ButUpdXml) QCOMPARE(ed->ButUpdXml->text(), QStringLiteral("Выгрузить УПД (XML)"));
            // The supplier heads a receipt; the sending store a transfer.
            const QStringList labels{"склад", "контрагент", "склад", "отправитель"};
            QCOMPARE(ed->LabI->text(), labels[kind]);
            ed->ButCancel->click();
        });
        open(*w, k, rec);
    }

    // The cashier may not touch receipts at all and waybills only for seven days.
    void readOnlyWithoutTheFullRightOrPastTheLock() {
        auto admin = f.OpenAdmin();
        const int store = DocShop::Store(Unique(QStringLiteral("Склад кассира")));
        TRecDoc receipt = DocShop::Doc(PrhFamily(), DocShop::Klient(QStringLiteral("Поставщик")), store);
        const int goods = DocShop::Good(Unique(QStringLiteral("Сыр")), 1, 500);
        DocShop::Receive(store, goods, 2);
        TRecDoc old = DocShop::Doc(NklFamily(), store, 0, {{goods, 1, 10, 500}}, kovrel::Today() - 8);
        TRecDoc recent = DocShop::Doc(NklFamily(), store, 0, {}, kovrel::Today() - 6);
        admin.reset();
        auto w = f.OpenUser();
        DocPickers pickers;
        QList<QList<bool>> states;
        int linesLeft = 0;
        const auto look = [&](QWidget* window) {
            auto* ed = ModalScript::As<TFormEditDoc>(window);
            states << enabled(ed->ButSelI, ed->ButSelP, ed->DTPDat, ed->EdPrim, ed->ButInsItem,
                              ed->ButEditItem, ed->ButDelItem, ed->ButSave, ed->ButPrint, ed->ComBoxPrint,
                              ed->ButCancel);
            if (ed->ButLoadExcel) states.last() << ed->ButLoadExcel->isEnabled();
            // The lines can still be scrolled through; they open and lose nothing.
            states.last() << ed->SGItems->isEnabled();
            if (!ed->ListItemsSort.IsEmpty()) {
                ed->SGItems->SetRow(1);
                ed->ButEditItemClick(); // would wait in a line editor that no step closes
                ed->ButDelItemClick();
                linesLeft = ed->ListItemsSort.Count();
            }
            ed->ButCancel->click();
        };
        ModalScript script;
        script.Then(look).Then(look).Then(look);
        open(*w, prh(), receipt);
        open(*w, nkl(), old);
        open(*w, nkl(), recent);
        const QList<bool> readOnly{false, false, false, false, false, false, false, false, true, true, true};
        QCOMPARE(states.value(0), readOnly + QList<bool>({false, true}));
        QCOMPARE(states.value(1), readOnly + QList<bool>{true});
        QCOMPARE(states.value(2), QList<bool>(12, true));
        QCOMPARE(linesLeft, 1);
    }

    // Deleting a line, once confirmed, is refused when the store's stock would go below zero.
    void deletingALineFollowsTheKindsStockRule() {
        auto w = f.OpenAdmin();
        const int store = DocShop::Store(Unique(QStringLiteral("Склад удалений")));
        const int receiver = DocShop::Store(Unique(QStringLiteral("Склад получатель")));
        const int sold = DocShop::Good(Unique(QStringLiteral("Рис")), 1, 60);
        const int kept = DocShop::Good(Unique(QStringLiteral("Гречка")), 1, 70);
        const int supplier = DocShop::Klient(QStringLiteral("Поставщик круп"));
        TRecDoc receipt = DocShop::Doc(PrhFamily(), supplier, store, {{sold, 10, 30}, {kept, 5, 35}});
        DocShop::Sell(store, sold, 8, 30);
        TRecDoc transfer = DocShop::Doc(VnkFamily(), store, receiver, {{sold, 2, 30, 60}});
        DocShop::Sell(receiver, sold, 1, 30);
        TRecDoc order = DocShop::Doc(InvoiceFamily(), store, 0, {{kept, 100, 35, 70}});
        DocPickers pickers;

        // Receipt: of 10 received, 8 were sold and 2 moved on: deleting it would leave -10.
        QStringList left;
        const auto deleteEach = [&](QWidget* window) {
            auto* ed = ModalScript::As<TFormEditDoc>(window);
            while (ed->SGItems->FixedRows() > 0) {
                const int before = ed->ListItemsSort.Count();
                ed->SGItems->SetRow(1);
                ed->ButDelItem->click();
                if (ed->ListItemsSort.Count() == before) break; // refused
            }
            for (int i = 0; i < ed->ListItemsSort.Count(); ++i)
                left << ed->SGItems->Cells(1, i + 1);
            ed->ButCancel->click();
        };
        ModalScript script;
        script.Then(deleteEach).Then(deleteEach).Then(deleteEach);
        open(*w, prh(), receipt);
        QCOMPARE(left.size(), 1); // the goods item still in stock went; the sold one stayed
        QCOMPARE(DocShop::LineOf(PrhFamily(), receipt, sold).Kol, 10.0);
        QCOMPARE(DocShop::LineOf(PrhFamily(), receipt, kept).ID, 0);
        QCOMPARE(f.Ui->infos, QStringList{kNoStock});

        // Transfer of 2, of which the receiving store sold 1: 1 - 2 < 0.
        left.clear();
        open(*w, vnk(), transfer);
        QCOMPARE(left.size(), 1);
        QCOMPARE(f.Ui->infos, (QStringList{kNoStock, kNoStock}));

        // Orders move no stock: the line goes at once.
        left.clear();
        open(*w, invoice(), order);
        QCOMPARE(left, QStringList());
        QCOMPARE(DocShop::Lines(InvoiceFamily(), order).size(), size_t(0));
        QCOMPARE(f.Ui->infos.size(), 2);
        // One question per line deleted or tried: two in the receipt, one in the transfer and one
        // in the order.
        QCOMPARE(f.Ui->questions.size(), 4);
        for (const QString& question : f.Ui->questions)
            QVERIFY2(question.endsWith(QStringLiteral(" будет удален из документа. Продолжить удаление ?")),
                     qPrintable(question));
    }

    // What "Печать" hands the print forms: the template of the chosen entry and the data
    // sources, with each kind's variables.
    void printingHandsTheFormsTheirData() {
        auto w = f.OpenAdmin();
        const int store = DocShop::Store(Unique(QStringLiteral("Склад печати")));
        const int other = DocShop::Store(Unique(QStringLiteral("Склад печати 2")));
        const int buyer = DocShop::Klient(QStringLiteral("Покупатель с реквизитами"));
        for (const auto& [id, inn] : {std::pair{kOrganizationID, QStringLiteral("7700000001")},
                                      std::pair{buyer, QStringLiteral("5000000002")}}) {
            TRecBank bank;
            bank.ID = id;
            bank.Name = QStringLiteral("Полное имя %1").arg(id);
            bank.Inn = inn;
            QVERIFY(Write([&](TFormLoad& fl) { return fl.UpdateBank(bank); }));
        }
        const int taxed = DocShop::Good(Unique(QStringLiteral("Кофе печать")), 1, 100, 20);
        const int plain = DocShop::Good(Unique(QStringLiteral("Хлеб печать")), 1, 30);
        DocShop::Receive(store, taxed, 3, 50);
        DocShop::Receive(store, plain, 3, 20);
        TRecDoc sale = DocShop::Doc(NklFamily(), store, buyer, {{taxed, 3, 50, 100}, {plain, 2, 20, 30}});
        sale.StoreName = QStringLiteral("склад");
        sale.KlientName = QStringLiteral("покупатель");
        TRecDoc transfer = DocShop::Doc(VnkFamily(), store, other, {{plain, 1, 20, 30}});
        TRecDoc receipt = DocShop::Doc(PrhFamily(), buyer, store, {{plain, 4, 21}});

        QList<std::pair<QString, int>> printed;
        DocPrintForms() = [&](QWidget*, const TDocPrintData& data, const QString& form) {
            printed.append({form, data.LineCount()});
        };
        QList<QVariant> zag, items;
        ModalScript script;
        script
            .Then([&](QWidget* window) {
                auto* ed = ModalScript::As<TFormEditDoc>(window);
                ed->ComBoxPrint->setCurrentIndex(2);
                ed->ButPrint->click();
                for (const char* v : {"n", "dat", "name_klient", "name_store", "org_inn", "kl_inn", "kl_name",
                                      "max_num_str", "it_sum", "it_sum_nds", "it_sum_not_nds", "unknown"})
                    zag << ed->DSetZagGetValue(QString::fromLatin1(v));
                for (int line : {0, 1})
                    for (const char* v : {"name", "cen", "summ", "proc_nds", "sum_nds", "cen_not_nds"})
                        items << ed->DSetItemsGetValue(QString::fromLatin1(v), line);
                ed->ButCancel->click();
            })
            .Then([&](QWidget* window) {
                auto* ed = ModalScript::As<TFormEditDoc>(window);
                ed->ComBoxPrint->setCurrentIndex(2);
                ed->ButPrint->click();
                zag << ed->DSetZagGetValue(QStringLiteral("org_name"))
                    << ed->DSetZagGetValue(QStringLiteral("org_inn"))
                    << ed->DSetItemsGetValue(QStringLiteral("sum_nds"), 0);
                ed->ButCancel->click();
            })
            .Then([&](QWidget* window) {
                auto* ed = ModalScript::As<TFormEditDoc>(window);
                ed->ButPrint->click();
                zag << ed->DSetZagGetValue(QStringLiteral("org_name"))
                    << ed->DSetItemsGetValue(QStringLiteral("cen"), 0) << QVariant(ed->BankRecOrg == nullptr);
                ed->ButCancel->click();
            });
        open(*w, nkl(), sale);
        open(*w, vnk(), transfer);
        open(*w, prh(), receipt);
        DocPrintForms() = nullptr;

        QCOMPARE(printed, (QList<std::pair<QString, int>>{{"FRDocSF", 2}, {"FRDocT13", 1}, {"FRDoc1", 1}}));
        const QList<QVariant> sale0{sale.ID,
                                    kovrel::DateOf(kovrel::Today()),
                                    "склад",
                                    "покупатель",
                                    "7700000001",
                                    "5000000002",
                                    "Полное имя " + QString::number(buyer),
                                    2,
                                    360.0,
                                    50.0,
                                    310.0,
                                    QVariant()};
        QCOMPARE(zag.mid(0, 12), sale0);
        // Lines in the grid's order: "Кофе…" before "Хлеб…".
        QCOMPARE(items.mid(0, 6), (QList<QVariant>{items[0], 100.0, 300.0, "20%", 50.0, 83.33}));
        QVERIFY(items[0].toString().startsWith(QStringLiteral("Кофе печать")));
        QCOMPARE(items.mid(6), (QList<QVariant>{items[6], 30.0, 60.0, "без НДС", 0.0, 30.0}));
        // A transfer has the organization's name only and no VAT; a receipt neither, and its
        // price is the purchase price.
        QCOMPARE(zag.mid(12),
                 (QList<QVariant>{"Полное имя 1000000", QVariant(), QVariant(), QVariant(), 21.0, true}));
    }

    // "Печать" shows the chosen form of the editor's document in the preview, as the report
    // pages do, and leaves the editor as it was.
    void printShowsTheFormInThePreview() {
        auto w = f.OpenAdmin();
        const int store = DocShop::Store(Unique(QStringLiteral("Склад формы")));
        const int buyer = DocShop::Klient(Unique(QStringLiteral("Покупатель формы")));
        const int taxed = DocShop::Good(Unique(QStringLiteral("Чай печать")), 1, 120, 20);
        DocShop::Receive(store, taxed, 3, 50);
        TRecDoc sale = DocShop::Doc(NklFamily(), store, buyer, {{taxed, 3, 50, 120}});
        QList<PreparedReport> shown;
        WindowSeams().Preview = [&](QWidget*, const PreparedReport& r, const ReportPageSetup& page,
                                    const ReportPreview::Rebuild& rebuild) {
            shown << r << *rebuild(page).report;
            return 0;
        };
        QList<QStringList> before, after;
        ModalScript script;
        script.Then([&](QWidget* window) {
            auto* ed = ModalScript::As<TFormEditDoc>(window);
            ed->ComBoxPrint->setCurrentIndex(3);
            before << row(ed->SGItems, 1) << QStringList{ed->ComBoxPrint->currentText()};
            ed->ButPrint->click();
            after << row(ed->SGItems, 1) << QStringList{ed->ComBoxPrint->currentText()};
            ed->ButCancel->click();
        });
        open(*w, nkl(), sale);
        QCOMPARE(after, before);
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].name, QStringLiteral("FRDocT12"));
        QCOMPARE(shown[0].caption(),
                 QStringLiteral("Товарная накладная № %1 от %2")
                     .arg(sale.ID)
                     .arg(kovrel::DateOf(sale.DocDate).toString(QStringLiteral("dd.MM.yyyy"))));
        QCOMPARE(shown[1].dump(), shown[0].dump());
        const QStringList lines = shown[0].pageLines(0);
        QVERIFY(lines.contains(QStringLiteral("ТОВАРНАЯ НАКЛАДНАЯ")));
        QVERIFY(lines.contains(QString::number(sale.ID)));
        QCOMPARE(lines.filter(QStringLiteral("Чай печать")).size(), 1);
        // The price without VAT with a decimal comma, whatever the system's separator.
        QVERIFY(lines.contains(QStringLiteral("100,00")));
    }

    // Weighed goods: each line is its quantity × price rounded to the kopeck and the total is
    // the sum of those, in the editor's grid as on the paper (the lines' unrounded sum would be
    // 5,05922, and 3 × 0,05 in binary 0,15000000000000002).
    void totalsAreThePapersKopecks() {
        auto w = f.OpenAdmin();
        const int store = DocShop::Store(Unique(QStringLiteral("Склад весов")));
        QList<DocShop::Line> lines;
        for (const auto& [name, kol, price, rate] :
             {std::tuple{"Сыр весовой", 0.333, 12.34, 22.0}, std::tuple{"Орехи", 1.5, 0.03, 22.0},
              std::tuple{"Скрепки", 3.0, 0.05, 10.0}, std::tuple{"Ручка", 1.0, 0.75, 10.0}}) {
            const int goods = DocShop::Good(Unique(QString::fromUtf8(name)), 1, price, rate);
            DocShop::Receive(store, goods, 5, 0.01);
            lines << DocShop::Line{goods, kol, 0.01, price};
        }
        TRecDoc rec = DocShop::Doc(NklFamily(), store, 0, lines);
        QStringList sums;
        QString total;
        QStringList paper;
        ModalScript script;
        script.Then([&](QWidget* window) {
            auto* ed = ModalScript::As<TFormEditDoc>(window);
            for (int r = 1; r <= 4; ++r)
                sums << row(ed->SGItems, r).last();
            total = ed->LabTotal->text();
            const PrepareResult sf = DocForms::prepare(QStringLiteral("FRDocSF"), ed->PrintData());
            if (sf) paper = sf.report->pageLines(0);
            ed->ButCancel->click();
        });
        open(*w, nkl(), rec);
        sums.sort();
        QCOMPARE(sums, (QStringList{"0.05", "0.15", "0.75", "4.11"}));
        QCOMPARE(total, QStringLiteral("Итого: 5.06"));
        // The invoice's column 9 total, after the totals of columns 5 and 8.
        const qsizetype at = paper.indexOf(QStringLiteral("Всего к оплате (9)"));
        QVERIFY(at > 0);
        QCOMPARE(paper.mid(at + 1, 4), (QStringList{"4,23", "Х", "0,83", "5,06"}));
    }

    // "Выгрузить УПД (XML)" writes what the paper prints as an e-document into the folder
    // chosen, the next dialog starting there; a buyer without a participant ID is named instead.
    void updXmlIsWrittenIntoTheChosenFolder() {
        auto w = f.OpenAdmin();
        const int store = DocShop::Store(Unique(QStringLiteral("Склад УПД")));
        const int buyer = DocShop::Klient(Unique(QStringLiteral("Покупатель УПД")));
        for (const auto& [id, inn] : {std::pair{kOrganizationID, QStringLiteral("7700000001")},
                                      std::pair{buyer, QStringLiteral("5000000002")}}) {
            TRecBank bank;
            bank.ID = id;
            bank.Name = QStringLiteral("ООО «Сторона %1»").arg(id);
            bank.Inn = inn;
            bank.Adres = QStringLiteral("г. Москва, ул. Тверская, д. 1");
            bank.Dir = QStringLiteral("Иванов Иван Иванович");
            QVERIFY(Write([&](TFormLoad& fl) { return fl.UpdateBank(bank); }));
            QVERIFY(Write([&](TFormLoad& fl) { return fl.UpdateEdoID(id, QStringLiteral("2BM-") + inn); }));
        }
        const int cheese = DocShop::Good(Unique(QStringLiteral("Сыр весовой УПД")), 1, 120, 10);
        QVERIFY(Write([&](TFormLoad& fl) { return fl.UpdateGoodUnit(cheese, QStringLiteral("166")); }));
        DocShop::Receive(store, cheese, 3, 80);
        TRecDoc sale = DocShop::Doc(NklFamily(), store, buyer, {{cheese, 1.5, 80, 120}});
        sale.KlientName = QStringLiteral("Покупатель УПД");
        QTemporaryDir dir;
        f.Ui->fileNames.enqueue(dir.path());
        ModalScript script;
        script.Then([&](QWidget* window) {
            auto* ed = ModalScript::As<TFormEditDoc>(window);
            ed->ButUpdXml->click();
            ed->ButUpdXml->click(); // the dialog is cancelled: nothing happens
            ed->ButCancel->click();
        });
        open(*w, nkl(), sale);
        QCOMPARE(f.Ui->folderDialogs.size(), 2);
        QCOMPARE(f.Ui->folderDialogs[0], QStringLiteral("Папка для УПД (XML)|") + QDir::homePath());
        QCOMPARE(f.Ui->folderDialogs[1], QStringLiteral("Папка для УПД (XML)|") + dir.path());
        const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(files.size(), 1);
        QCOMPARE(f.Ui->infos, QStringList{QStringLiteral("УПД записан в файл ") +
                                          QDir::toNativeSeparators(dir.filePath(files[0]))});
        const UpdFile file(dir.filePath(files[0]));
        QCOMPARE(file.SchemaErrors(), QString());
        QCOMPARE(file.RuleProblems(), QStringList());
        const UpdNode* line = file.Document().At(QStringLiteral("ТаблСчФакт/СведТов"));
        QCOMPARE(line->attrs.value(QStringLiteral("ОКЕИ_Тов")), QStringLiteral("166"));
        QCOMPARE(line->attrs.value(QStringLiteral("НаимЕдИзм")), QStringLiteral("кг"));
        QCOMPARE(line->attrs.value(QStringLiteral("КолТов")), QStringLiteral("1.5"));
        QCOMPARE(line->attrs.value(QStringLiteral("СтТовУчНал")), QStringLiteral("180.00"));

        QVERIFY(Write([&](TFormLoad& fl) { return fl.UpdateEdoID(buyer, QString()); }));
        f.Ui->infos.clear();
        f.Ui->fileNames.enqueue(dir.path());
        script.Then([&](QWidget* window) {
            auto* ed = ModalScript::As<TFormEditDoc>(window);
            ed->ButUpdXml->click();
            ed->ButCancel->click();
        });
        open(*w, nkl(), sale);
        QCOMPARE(f.Ui->infos, QStringList{QStringLiteral("УПД не выгружен. Заполните в реквизитах покупателя "
                                                         "«Покупатель УПД» «Идентификатор участника ЭДО»")});
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void totalsRunOverEveryLine() {
        auto w = f.OpenAdmin();
        const int store = DocShop::Store(Unique(QStringLiteral("Склад итогов")));
        const int taxed = DocShop::Good(Unique(QStringLiteral("Кофе")), 1, 100, 20);
        const int packed = DocShop::Good(Unique(QStringLiteral("Вода")), 12, 10);
        DocShop::Receive(store, taxed, 3, 50);
        DocShop::Receive(store, packed, 24, 5);
        TRecDoc rec = DocShop::Doc(NklFamily(), store, 0, {{taxed, 3, 50, 100}, {packed, 24, 5, 10}});
        ModalScript script;
        script.Then([&](QWidget* window) {
            auto* ed = ModalScript::As<TFormEditDoc>(window);
            const TDocPrintData data = ed->PrintData();
            QCOMPARE(data.GetItKol(), 27.0);
            QCOMPARE(data.GetItKolPack(), 5.0);
            QCOMPARE(data.GetItSum(), 540.0);
            QCOMPARE(data.GetItSumNds(), 50.0);
            QCOMPARE(data.GetItSumNotNds(), 490.0);
            ed->ButCancel->click();
        });
        open(*w, nkl(), rec);
        QCOMPARE(script.Pending(), 0);
    }
};

QTEST_MAIN(TestGoodsDocEditors)
#include "test_goods_doc_editors.moc"
