// The goods and category editors against the real service: the fields and their number texts,
// the category list, tolerant number reading (text that is no number refused), saving from the
// goods and category pages, and a refused save that keeps the input. The exact fields of a save
// are checked on a capture server.
#include "capture_server.h"
#include "catalog_window_test.h"
#include "form_edit_good.h"
#include "form_edit_group.h"
#include "request_fields.h"
#include "tag_list_box.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace catalog_test;
using testing::Fields;

namespace {

std::optional<TRecGood> goodNamed(const QString& name) {
    RecordList<TRecGood> l;
    TFormLoad fl;
    fl.SelectGoodList(l, name, false);
    for (const auto& g : l)
        if (g->Name == name) return *g;
    return std::nullopt;
}

} // namespace

class TestFormEditGood : public MainWindowTest {
    Q_OBJECT

private Q_SLOTS:
    void goodsOpenWithTheirFieldsNumberTextsAndCategory() {
        auto w = f.OpenAdmin();
        const int group = AddGroup(QStringLiteral("Крепеж для редактора"));
        TRecGood g = Good(QStringLiteral("Саморез 3,5х25"), 12.5, 0.25);
        g.Prim = QStringLiteral("оцинкованный");
        g.Nds = 10.5;
        g.BarCode = QStringLiteral("4601234567893");
        g.Code = QStringLiteral("СМ-35-25");
        g.GrCode = group;
        QVERIFY(AddGood(g) > 0);
        auto rec = goodNamed(g.Name);
        QVERIFY(rec);

        TFormEditGood e(w.get(), *rec);
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        QCOMPARE(e.windowTitle(), QStringLiteral("Редактирование товара"));
        QCOMPARE(e.size(), QSize(484, 361));
        QCOMPARE(e.font().pixelSize(), 13);
        QCOMPARE(e.EdName->text(), g.Name);
        QCOMPARE(e.EdPrim->text(), g.Prim);
        QCOMPARE(e.EdCen->text(), QStringLiteral("12.50"));
        QCOMPARE(e.EdPack->text(), QStringLiteral("0.250"));
        QCOMPARE(e.EdNds->text(), QStringLiteral("10.50"));
        QCOMPARE(e.EdBarCode->text(), g.BarCode);
        QCOMPARE(e.EdCode->text(), g.Code);
        QCOMPARE(e.ComBoxGroup->currentData().toInt(), group);
        QCOMPARE(e.ComBoxGroup->currentText(), QStringLiteral("Крепеж для редактора"));

        const QList<QPair<QString, QWidget*>> rows = LabelledRows(&e);
        const QList<QPair<QString, QWidget*>> expected{
            {"Наименование", e.EdName}, {"Примечание", e.EdPrim},     {"Прод.цена", e.EdCen},
            {"Упаковка", e.EdPack},     {"Ставка НДС", e.EdNds},      {"Штрих-код", e.EdBarCode},
            {"Доп. код", e.EdCode},     {"Категория", e.ComBoxGroup}, {"Ед. изм.", e.ComBoxUnit}};
        QCOMPARE(rows, expected);
        for (QWidget* wide : {(QWidget*)e.EdName, (QWidget*)e.EdPrim, (QWidget*)e.EdBarCode,
                              (QWidget*)e.EdCode, (QWidget*)e.ComBoxGroup})
            QCOMPARE(wide->width(), 320);
        for (QWidget* number :
             {(QWidget*)e.EdCen, (QWidget*)e.EdPack, (QWidget*)e.EdNds, (QWidget*)e.ComBoxUnit})
            QCOMPARE(number->width(), 120);
        // "-" for none, then the papers' units with their codes.
        QStringList units;
        for (int i = 0; i < e.ComBoxUnit->count(); ++i)
            units << e.ComBoxUnit->itemText(i) + QLatin1Char('=') + e.ComBoxUnit->itemData(i).toString();
        QCOMPARE(units, QStringList({"-=", "шт (796)=796", "кг (166)=166", "г (163)=163", "т (168)=168",
                                     "л (112)=112", "м (006)=006", "м2 (055)=055", "упак (778)=778",
                                     "компл (839)=839", "пар (715)=715"}));
        QCOMPARE(e.ComBoxUnit->currentText(), QStringLiteral("-"));
        QCOMPARE(e.ComBoxGroup->maxVisibleItems(), 32);
        for (int i = 0; i + 1 < rows.size(); ++i)
            QCOMPARE(NextTabStop(rows[i].second), rows[i + 1].second);

        // Every category, in the service's order, with its ID; none stands for "no category".
        RecordList<TRecKlient> groups;
        TFormLoad fl;
        fl.SelectGroupList(groups, QString());
        QCOMPARE(e.ComBoxGroup->count(), int(groups.size()));
        for (size_t i = 0; i < groups.size(); ++i) {
            QCOMPARE(e.ComBoxGroup->itemText(int(i)), groups[i]->Name);
            QCOMPARE(e.ComBoxGroup->itemData(int(i)).toInt(), groups[i]->ID);
        }

        // Whole numbers show without decimals.
        TRecGood whole = *rec;
        whole.Nds = 20;
        whole.Pack = 12;
        TFormEditGood e2(w.get(), whole);
        QCOMPARE(e2.EdNds->text(), QStringLiteral("20"));
        QCOMPARE(e2.EdPack->text(), QStringLiteral("12"));
    }

    void savedFromTheGoodsPageWithTolerantNumbers() {
        auto w = f.OpenAdmin();
        const int group = AddGroup(QStringLiteral("Категория товара после правки"));
        AddGood(Good(QStringLiteral("Товар до правки"), 5, 0.25));
        MainWindowFixture::ClickNav(w->LBoxOptions, 1);
        find<QLineEdit>(*w, "EdFindGood")->setText(QStringLiteral("правки"));
        StringGrid* g = find<StringGrid>(*w, "SGGood");
        g->SetRow(RowOf(g, 1, QStringLiteral("Товар до правки")));
        WhenShown<TFormEditGood>([&](TFormEditGood* e) {
            e->EdName->setText(QStringLiteral("  Товар после правки "));
            e->EdCen->setText(QString::fromUtf8(" 1\u00A0234,5 "));
            e->EdPack->setText(QStringLiteral(" 0,25"));
            e->EdNds->setText(QStringLiteral("20"));
            e->ComBoxGroup->setCurrentIndex(e->ComBoxGroup->findData(group));
            e->ButSave->click();
            QCOMPARE(e->result(), int(QDialog::Accepted));
        });
        find<QPushButton>(*w, "ButEditGood")->click();
        const int row = RowOf(g, 1, QStringLiteral("Товар после правки"));
        QVERIFY(row > 0);
        QCOMPARE(g->Cells(2, row), QStringLiteral("1234.50"));
        QCOMPARE(g->Cells(4, row), QStringLiteral("0.250"));
        const auto saved = goodNamed(QStringLiteral("Товар после правки"));
        QVERIFY(saved);
        QCOMPARE(saved->Nds, 20.0);
        QCOMPARE(saved->GrCode, group);
    }

    void newGoodsItemFromTheGoodsPage() {
        auto w = f.OpenAdmin();
        MainWindowFixture::ClickNav(w->LBoxOptions, 1);
        WhenShown<TFormEditGood>([&](TFormEditGood* e) {
            QCOMPARE(e->EdCen->text(), QStringLiteral("0.00"));
            QCOMPARE(e->EdPack->text(), QStringLiteral("1"));
            QCOMPARE(e->EdNds->text(), QStringLiteral("0"));
            QCOMPARE(e->ComBoxGroup->currentData().toInt(), 1); // a new item's category
            e->EdName->setText(QStringLiteral("Новый товар из редактора"));
            e->EdCen->setText(QStringLiteral("99,9"));
            e->ButSave->click();
        });
        find<QPushButton>(*w, "ButInsGood")->click();
        StringGrid* g = find<StringGrid>(*w, "SGGood");
        const int row = RowOf(g, 1, QStringLiteral("Новый товар из редактора"));
        QVERIFY(row > 0);
        QCOMPARE(g->Cells(2, row), QStringLiteral("99.90"));
    }

    // The unit goes by its own operation after the item, only when it was chosen anew; a new
    // item gets it once the service lists the item.
    void unitIsSavedByItsOwnOperation() {
        auto w = f.OpenAdmin();
        MainWindowFixture::ClickNav(w->LBoxOptions, 1);
        WhenShown<TFormEditGood>([&](TFormEditGood* e) {
            e->EdName->setText(QStringLiteral("Сыр весовой для единиц"));
            e->ComBoxUnit->setCurrentIndex(e->ComBoxUnit->findData(QStringLiteral("166")));
            e->ButSave->click();
            QCOMPARE(e->result(), int(QDialog::Accepted));
        });
        find<QPushButton>(*w, "ButInsGood")->click();
        auto rec = goodNamed(QStringLiteral("Сыр весовой для единиц"));
        QVERIFY(rec);
        QCOMPARE(rec->OKEI, QStringLiteral("166"));

        TFormEditGood e(w.get(), *rec);
        QCOMPARE(e.ComBoxUnit->currentText(), QStringLiteral("кг (166)"));
        e.ComBoxUnit->setCurrentIndex(0);
        e.ButSave->click();
        QCOMPARE(goodNamed(rec->Name)->OKEI, QString());

        // Only the item's own write when the unit stays; a code the list lacks stays as it is.
        CaptureServer server;
        testing::SetTestSession(server.Url());
        server.Enqueue("[]");
        TRecGood other = *rec;
        other.OKEI = QStringLiteral("018");
        TFormEditGood kept(nullptr, other);
        QCOMPARE(kept.ComBoxUnit->currentText(), QStringLiteral("018"));
        kept.ButSave->click();
        QCOMPARE(testing::Paths(server.Requests()),
                 (QStringList{"/list-grnames-json.php", "/update-good.php"}));
        kept.ComBoxUnit->setCurrentIndex(kept.ComBoxUnit->findData(QStringLiteral("778")));
        server.Clear();
        kept.ButSave->click();
        QCOMPARE(testing::Paths(server.Requests()),
                 (QStringList{"/update-good.php", "/update-good-unit.php"}));
        COMPARE_FIELDS(server.Last(), Fields{{"id", QString::number(rec->ID)}, {"okei", "778"}});
    }

    void goodsOfAVanishedCategoryAreSavedWithTheFirstCategory() {
        auto w = f.OpenAdmin();
        TRecKlient group;
        group.Name = QStringLiteral("Исчезающая категория");
        group.ID = AddGroup(group.Name);
        QVERIFY(group.ID > 0);
        TRecGood g = Good(QStringLiteral("Товар исчезнувшей категории"));
        g.GrCode = group.ID;
        QVERIFY(AddGood(g) > 0);
        {
            TFormLoad fl;
            QVERIFY(fl.DeleteGroup(group));
        }
        auto rec = goodNamed(g.Name);
        TFormEditGood e(w.get(), *rec);
        QCOMPARE(e.ComBoxGroup->currentIndex(), 0);
        const int first = e.ComBoxGroup->itemData(0).toInt();
        e.ButSave->click();
        QCOMPARE(goodNamed(g.Name)->GrCode, first);
    }

    void savedFieldsOnTheWireAndNoCategoriesKeepTheItemsOwn() {
        CaptureServer server;
        testing::SetTestSession(server.Url());
        server.Enqueue("[]"); // no categories at all
        TRecGood rec;
        rec.ID = 15;
        rec.Name = QStringLiteral("Чай");
        rec.Pack = 12;
        rec.PCen = 99.9;
        rec.Nds = 20;
        rec.GrCode = 7;
        rec.ZCen = 50;
        TFormEditGood e(nullptr, rec);
        QCOMPARE(e.ComBoxGroup->count(), 0);
        e.EdPrim->setText(QStringLiteral(" байховый "));
        e.EdCen->setText(QStringLiteral("12,5"));
        e.EdPack->setText(QStringLiteral("1 2")); // an ordinary blank inside: not a number
        e.EdNds->setText(QStringLiteral("10,5"));
        e.EdCode->setText(QStringLiteral(" A-1 "));
        e.ButSave->click();
        QCOMPARE(f.Ui->infos,
                 QStringList{QStringLiteral("В поле «Упаковка» должно быть число, а не «1 2».")});
        QCOMPARE(testing::Paths(server.Requests()), QStringList{"/list-grnames-json.php"}); // nothing sent
        e.EdPack->setText(QStringLiteral("12"));
        e.ButSave->click();
        QCOMPARE(testing::Paths(server.Requests()),
                 (QStringList{"/list-grnames-json.php", "/update-good.php"}));
        COMPARE_FIELDS(server.Requests()[1], Fields{{"id", "15"},
                                                    {"name_win", "Чай"},
                                                    {"prim_win", "байховый"},
                                                    {"code_win", "A-1"},
                                                    {"barcode_win", ""},
                                                    {"pack", "12.000"},
                                                    {"pcen", "12.50"},
                                                    {"nds", "10.50"},
                                                    {"gg_code", "7"}});
        QCOMPARE(rec.PCen, 12.5);
        QCOMPARE(rec.Pack, 12.0);
        QCOMPARE(rec.GrCode, 7);
        QCOMPARE(e.result(), int(QDialog::Accepted));
    }

    void refusedSaveKeepsTheGoodsEditorOpenWithTheInput() {
        auto admin = f.OpenAdmin();
        AddGood(Good(QStringLiteral("Товар без права"), 10));
        auto rec = goodNamed(QStringLiteral("Товар без права"));
        auto w = f.OpenUser(); // may not change goods
        TFormEditGood e(w.get(), *rec);
        e.show();
        e.EdName->setText(QStringLiteral("Товар переименован"));
        e.EdCen->setText(QStringLiteral("11,25"));
        e.ButSave->click();
        QVERIFY(e.isVisible());
        QCOMPARE(e.EdName->text(), QStringLiteral("Товар переименован"));
        QCOMPARE(e.EdCen->text(), QStringLiteral("11,25"));
        QVERIFY(goodNamed(QStringLiteral("Товар без права")));
        QCOMPARE(f.Ui->infos.size(), 1); // the service's refusal, once
    }

    // ---- Categories ----

    void categoryEditedAndAddedFromTheCategoryPage() {
        auto w = f.OpenAdmin();
        AddGroup(QStringLiteral("Категория до правки"));
        MainWindowFixture::ClickNav(w->LBoxOptions, 8);
        StringGrid* g = find<StringGrid>(*w, "SGGroup");
        g->SetRow(RowOf(g, 1, QStringLiteral("Категория до правки")));
        WhenShown<TFormEditGroup>([&](TFormEditGroup* e) {
            e->show();
            QCOMPARE(e->windowTitle(), QStringLiteral("Редактирование категории"));
            QCOMPARE(e->size(), QSize(484, 161));
            QCOMPARE(LabelledRows(e), (QList<QPair<QString, QWidget*>>{{"Наименование", e->EdName},
                                                                       {"Примечание", e->EdPrim}}));
            QCOMPARE(e->EdName->width(), 320);
            QCOMPARE(e->EdName->text(), QStringLiteral("Категория до правки"));
            e->EdName->setText(QStringLiteral(" Категория после правки "));
            e->EdPrim->setText(QStringLiteral(" для весового товара "));
            e->ButSave->click();
        });
        find<QPushButton>(*w, "ButEditGroup")->click();
        int row = RowOf(g, 1, QStringLiteral("Категория после правки"));
        QVERIFY(row > 0);
        QCOMPARE(g->Cells(2, row), QStringLiteral("для весового товара"));

        WhenShown<TFormEditGroup>([&](TFormEditGroup* e) {
            QCOMPARE(e->EdName->text(), QString());
            e->EdName->setText(QStringLiteral("Новая категория"));
            e->ButSave->click();
        });
        find<QPushButton>(*w, "ButInsGroup")->click();
        QVERIFY(RowOf(g, 1, QStringLiteral("Новая категория")) > 0);
    }

    void refusedCategorySaveKeepsTheInput() {
        auto admin = f.OpenAdmin();
        TRecKlient group;
        group.Name = QStringLiteral("Категория без права");
        group.ID = AddGroup(group.Name);
        QVERIFY(group.ID > 0);
        auto w = f.OpenUser();
        TFormEditGroup e(w.get(), group);
        e.show();
        e.EdName->setText(QStringLiteral("Не сохранится"));
        e.ButSave->click();
        QVERIFY(e.isVisible());
        QCOMPARE(e.EdName->text(), QStringLiteral("Не сохранится"));
    }
};

QTEST_MAIN(TestFormEditGood)
#include "test_form_edit_good.moc"
