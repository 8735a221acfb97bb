#include "form_edit_prh.h"

#include "fresh_request.h"
#include "receipt_rows.h"
#include "server_wait.h"
#include "sheet_reader.h"
#include "sheet_table.h"
#include "status_bar.h"
#include "user_interaction.h"

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>

namespace {

const QString kNeedBoth = QStringLiteral("Необходимо указать поставщика и получателя товаров !");
const QString kCatalogUnread =
    QStringLiteral("Не удалось получить справочник товаров, строки не загружены. Повторите загрузку.");

// A wait cursor while the file is read: a large workbook takes a moment.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

// Columns А, В and С of the first lines are written with Cyrillic capitals, the others with
// Latin ones, as the users have always seen them.
const QString TFormEditPrh::kImportQuestion =
    QStringList{
        QStringLiteral("Загрузка товаров из файла Excel."),
        QStringLiteral("Данные должны быть на первом листе."),
        QStringLiteral("Колонка \u0410 - код товара."),
        QStringLiteral("Колонка \u0412 - наименование товара."),
        QStringLiteral("Колонка \u0421 - количество товара."),
        QStringLiteral("Колонка D - цена товара."),
        QStringLiteral("Колонка E - штрих-код товара."),
        QStringLiteral("Колонки A и E могут быть пустыми."),
        QStringLiteral("В колонках C и D должны быть корректные числа."),
        QStringLiteral("Прододжить ?"),
    }
        .join(QStringLiteral("\r\n"));
const QString TFormEditPrh::kOpenDialETitle = QStringLiteral("Загрузка заказа из Excel");
const QString TFormEditPrh::kOpenDialEFilter = QStringLiteral("Файлы Excel|*.xls*");

TFormEditPrh::TFormEditPrh(QWidget* owner, TSelectionSlot& slot, TRecDoc& rec)
    : TFormEditDoc(owner, PrhFamily(), slot, rec) {
    connect(ButLoadExcel, &QPushButton::clicked, this, &TFormEditPrh::ButLoadExcelClick);
}

// The rows become lines of this receipt, so it is stored first; when that fails there is no
// receipt to load into and nothing more happens.
void TFormEditPrh::ButLoadExcelClick() {
    if (!Editable()) return;
    if (LocalRec.StoreID <= 0 || LocalRec.KlientID <= 0) {
        ShowInfo(kNeedBoth);
        return;
    }
    SaveZag(false);
    if (LocalRec.ID < 1) return;
    if (AskYesNo(kImportQuestion)) ImportExcel();
}

void TFormEditPrh::ImportExcel() {
    const QString path = AskOpenFileName(FileDialogPurpose::Import, kOpenDialETitle, kOpenDialEFilter);
    if (path.isEmpty() || !QFileInfo::exists(path)) return;
    SheetTable sheet;
    QString error;
    bool read = false;
    {
        BusyCursor busy;
        read = ReadFirstSheet(path, sheet, error);
    }
    if (!read) {
        CurrentUserInteraction().showError(error);
        return;
    }
    RecordList<TRecGood> rows = ReceiptRowsOf(sheet);
    if (!AskYesNo(QStringLiteral("Найдено %1 строк. Продолжить ?").arg(rows.size())) || rows.empty()) return;

    // Rows matched against a catalog that did not arrive whole would all become new goods items.
    RecordList<TRecGood> catalog;
    bool catalogFailed = false;
    {
        TServerWait wait(*SBarInfo, 0);
        TFormLoad fl;
        fl.SelectGoodList(catalog, QString(), false);
        catalogFailed = fl.Failed();
        if (catalogFailed) wait.Fail(*fl.Failure());
    }
    if (catalogFailed) {
        ShowInfo(kCatalogUnread);
        return;
    }
    MatchReceiptRows(rows, catalog);
    ChangeOnFreshRequest([&](TFormLoad& fl) { return fl.InsertPrhItemExcel(rows, LocalRec.ID); }, SBarInfo);
    LoadItems();
}
