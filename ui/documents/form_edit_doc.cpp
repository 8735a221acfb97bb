#include "form_edit_doc.h"

#include "access_checks.h"
#include "controls.h"
#include "date_picker.h"
#include "date_time.h"
#include "form_registry.h"
#include "fresh_request.h"
#include "number_text.h"
#include "selection_slot.h"
#include "server_wait.h"
#include "status_bar.h"
#include "string_grid.h"
#include "user_interaction.h"
#include "window_frame.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kStoreLocked =
    QStringLiteral("Изменение склада для документа с выбранными товарами запрещено !");
const QString kNoStock =
    QStringLiteral("Недостаточное количество товара на складе ! Остаток товара не может быть меньше нуля.");
const QString kKitMark = QStringLiteral(">> ");

constexpr QSize kClientSize(684, 661);
constexpr int kFontPixels = 13;
constexpr int kPartyButtonWidth = 140;
constexpr int kLineButtonWidth = 120;
constexpr int kStatusPanelWidth = 50;

QString qty(double value) {
    return FormatQty(1, 3, value);
}

QString money(double value) {
    return kovrel::Money::FromDouble(value).ToText();
}

} // namespace

const QString TFormEditDoc::kDeleteLineQuestion =
    QStringLiteral("Товар «%1» будет удален из документа. Продолжить удаление ?");

TFormEditDoc::TFormEditDoc(QWidget* owner, const TDocFamily& family, TSelectionSlot& slot, TRecDoc& rec)
    : TEditorDialog(owner)
    , LocalRec(rec)
    , m_family(family)
    , m_slot(slot) {
    buildWindow();
    FormCreate();
}

TFormEditDoc::~TFormEditDoc() = default;

// ---- Window -----------------------------------------------------------------------------------

void TFormEditDoc::buildWindow() {
    FrameWindow(this, m_family.caption, kClientSize, kFontPixels);
    SGItems = MakeGrid(this, "SGItems", 5, 1, {40, 320, 80, 80, 80});
    connect(SGItems, &StringGrid::DblClick, this, &TFormEditDoc::ButEditItemClick);
    SBarInfo = new TStatusBar(this);
    SBarInfo->setObjectName(QStringLiteral("SBarInfo"));
    SBarInfo->AddPanel(kStatusPanelWidth);
    // The only panel takes the bar's width, so the waiting text is readable.
    SBarInfo->Panel(0)->setMinimumWidth(kStatusPanelWidth);
    SBarInfo->Panel(0)->setMaximumWidth(QWIDGETSIZE_MAX);
    SBarInfo->Panel(0)->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());
    layout->addWidget(SGItems, 1);
    layout->addWidget(buildFooter());
    layout->addWidget(SBarInfo);
}

QWidget* TFormEditDoc::buildHeader() {
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto* grid = new QGridLayout(panel);
    ButSelI = MakeButton(panel, m_family.first.button, m_family.first.caption, kPartyButtonWidth);
    ButSelP = MakeButton(panel, m_family.second.button, m_family.second.caption, kPartyButtonWidth);
    LabI = MakeLabel(panel, QString(), "LabI");
    LabP = MakeLabel(panel, QString(), "LabP");
    DTPDat = MakeDatePicker(panel, "DTPDat");
    EdPrim = MakeEdit(panel, "EdPrim");
    ButPrint = MakeButton(panel, "ButPrint", QStringLiteral("Печать"));
    ComBoxPrint =
        MakeCombo(panel, "ComBoxPrint", FormRegistry::printList(QLatin1String(m_family.kind.name)), 200);
    grid->addWidget(ButSelI, 0, 0);
    grid->addWidget(LabI, 0, 1);
    grid->addWidget(ButPrint, 0, 2, Qt::AlignRight);
    grid->addWidget(ButSelP, 1, 0);
    grid->addWidget(LabP, 1, 1);
    grid->addWidget(ComBoxPrint, 1, 2, Qt::AlignRight);
    grid->addWidget(MakeLabel(panel, QStringLiteral("Дата")), 2, 0, Qt::AlignRight);
    auto* dateRow = new QHBoxLayout;
    LabNumber = MakeLabel(panel, QString(), "LabNumber");
    dateRow->addWidget(DTPDat);
    dateRow->addSpacing(16);
    dateRow->addWidget(LabNumber);
    dateRow->addStretch(1);
    grid->addLayout(dateRow, 2, 1);
    grid->addWidget(MakeLabel(panel, QStringLiteral("Примечание")), 3, 0, Qt::AlignRight);
    grid->addWidget(EdPrim, 3, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    auto* lineButtons = new QHBoxLayout;
    ButInsItem = MakeButton(panel, "ButInsItem", QStringLiteral("Добавить товар"), kLineButtonWidth);
    ButEditItem = MakeButton(panel, "ButEditItem", QStringLiteral("Изменить товар"), kLineButtonWidth);
    ButDelItem = MakeButton(panel, "ButDelItem", QStringLiteral("Удалить товар"), kLineButtonWidth);
    for (QPushButton* b : {ButInsItem, ButEditItem, ButDelItem})
        lineButtons->addWidget(b);
    lineButtons->addStretch(1);
    if (m_family.excelImport) {
        ButLoadExcel =
            MakeButton(panel, "ButLoadExcel", QStringLiteral("Загрузить из Excel"), kLineButtonWidth + 20);
        lineButtons->addWidget(ButLoadExcel);
    }
    if (m_family.updExport) {
        ButUpdXml =
            MakeButton(panel, "ButUpdXml", QStringLiteral("Выгрузить УПД (XML)"), kLineButtonWidth + 40);
        lineButtons->addWidget(ButUpdXml);
        connect(ButUpdXml, &QPushButton::clicked, this, &TFormEditDoc::ButUpdXmlClick);
    }
    grid->addLayout(lineButtons, 4, 0, 1, 3);

    connect(ButSelI, &QPushButton::clicked, this, &TFormEditDoc::ButSelIClick);
    connect(ButSelP, &QPushButton::clicked, this, &TFormEditDoc::ButSelPClick);
    connect(ButInsItem, &QPushButton::clicked, this, &TFormEditDoc::ButInsItemClick);
    connect(ButEditItem, &QPushButton::clicked, this, &TFormEditDoc::ButEditItemClick);
    connect(ButDelItem, &QPushButton::clicked, this, &TFormEditDoc::ButDelItemClick);
    connect(ButPrint, &QPushButton::clicked, this, &TFormEditDoc::ButPrintClick);
    return panel;
}

QWidget* TFormEditDoc::buildFooter() {
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto* row = new QHBoxLayout(panel);
    ButSave = MakeButton(panel, "ButSave", QStringLiteral("Сохранить"));
    ButCancel = MakeButton(panel, "ButCancel", QStringLiteral("Отменить"));
    LabTotal = MakeLabel(panel, QString(), "LabTotal");
    row->addWidget(LabTotal);
    row->addStretch(1);
    row->addWidget(ButSave);
    row->addWidget(ButCancel);
    connect(ButSave, &QPushButton::clicked, this, &TFormEditDoc::ButSaveClick);
    connect(ButCancel, &QPushButton::clicked, this, &TFormEditDoc::ButCancelClick);
    return panel;
}

// A user without the kind's full access, or a document past the user's days lock, gets a
// window to look at and print from. The grid stays enabled so that every line can be scrolled
// to; it opens no line editor then.
void TFormEditDoc::FormCreate() {
    m_editable =
        CheckRight(m_family.rightFull, false) && CheckDocAge(m_family.rightLock, false, LocalRec.DocDate);
    const QList<QWidget*> editing{ButSelI,    ButSelP,     DTPDat,     EdPrim,
                                  ButInsItem, ButEditItem, ButDelItem, ButSave};
    for (QWidget* w : editing)
        w->setEnabled(m_editable);
    if (ButLoadExcel) ButLoadExcel->setEnabled(m_editable);
    showHeader();
    if (LocalRec.ID > 0) rememberStoredStores();
    WatchInputs({LabI, LabP, DTPDat, EdPrim});
    LoadItems();
}

void TFormEditDoc::showHeader() {
    LabI->setText(PartyName(LocalRec, m_family.first.party));
    LabP->setText(PartyName(LocalRec, m_family.second.party));
    DTPDat->SetDate(LocalRec.DocDate);
    EdPrim->setText(LocalRec.Prim);
    showNumber();
}

bool TFormEditDoc::rereadDocument() {
    std::optional<TRecDoc> header;
    {
        TServerWait wait(*SBarInfo, 0);
        TFormLoad fl;
        header = m_family.kind.ReadHeader(fl, LocalRec.ID);
        if (fl.Failure()) wait.Fail(*fl.Failure());
    }
    if (!header) return false;
    LocalRec = *header;
    rememberStoredStores();
    showHeader();
    MarkSaved();
    return LoadItems();
}

void TFormEditDoc::showNumber() {
    LabNumber->setText(LocalRec.ID > 0 ? QStringLiteral("Номер: ") + QString::number(LocalRec.ID)
                                       : QStringLiteral("Номер: новый документ"));
}

// ---- Header -----------------------------------------------------------------------------------

// A new document whose insert went unanswered may be on the service under a number the editor
// never learnt: the window closes, and the journal, which reads its documents as it does,
// shows whether it is there. Saving it again here could store it twice.
bool TFormEditDoc::SaveZag(bool closeAfter) {
    LocalRec.DocDate = kovrel::DateOnly(DTPDat->Date());
    LocalRec.Prim = EdPrim->text().trimmed();
    const bool inserting = LocalRec.ID <= 0;
    const TChange stored = ChangeOnFreshRequest(
        [this, inserting](TFormLoad& fl) {
            return inserting ? (fl.*m_family.ops.insert)(LocalRec) : (fl.*m_family.ops.update)(LocalRec);
        },
        SBarInfo, 0, [this, inserting] { return inserting || rereadDocument(); });
    if (stored.unknown && inserting) {
        Discard();
        return false;
    }
    if (stored) {
        rememberStoredStores();
        MarkSaved();
    }
    showNumber();
    if (stored && closeAfter) accept();
    return stored;
}

bool TFormEditDoc::StoresChosen(const QString& guard) {
    for (const TDocParty store : m_family.requiredStores) {
        if (PartyID(LocalRec, store) <= 0) {
            ShowInfo(guard);
            return false;
        }
    }
    return true;
}

void TFormEditDoc::ButSaveClick() {
    if (StoresChosen(m_family.saveGuard)) SaveZag(true);
}

void TFormEditDoc::ButCancelClick() {
    Discard();
}

void TFormEditDoc::ButSelIClick() {
    selectParty(m_family.first, LabI);
}

void TFormEditDoc::ButSelPClick() {
    selectParty(m_family.second, LabP);
}

// The picker's choice goes into the record as it is: a picker closed without a choice leaves
// an empty name and -1, which clears the party.
void TFormEditDoc::selectParty(const TPartyRow& row, QLabel* label) {
    if (IsStore(row.party)) {
        if (!ListItemsSort.IsEmpty()) {
            ShowInfo(kStoreLocked);
            return;
        }
        WindowSeams().FormListStore(this, m_slot);
    } else {
        WindowSeams().FormListKl(this, m_slot, 0, true);
    }
    PartyName(LocalRec, row.party) = m_slot.SelName;
    PartyID(LocalRec, row.party) = m_slot.SelID;
    label->setText(m_slot.SelName);
}

void TFormEditDoc::rememberStoredStores() {
    m_storedStores = m_family.kind.StockStoresOf(LocalRec);
}

bool TFormEditDoc::storesChangedSinceStored() {
    const TStockStores now = m_family.kind.StockStoresOf(LocalRec);
    return now.first != m_storedStores.first || now.second != m_storedStores.second;
}

// ---- Lines ------------------------------------------------------------------------------------

// A document not stored yet has no lines: the service, asked for the lines of document 0, could
// only refuse, and the refusal would stand in the status bar of every new document.
bool TFormEditDoc::LoadItems() {
    RecordList<TRecDocItem> fresh;
    if (LocalRec.ID > 0) {
        TServerWait wait(*SBarInfo, 0);
        TFormLoad fl;
        m_family.kind.selectItems(fl, fresh, LocalRec.ID, m_family.kind.StockStoresOf(LocalRec));
        if (fl.Failure()) {
            wait.Fail(*fl.Failure());
            return false;
        }
    }
    ClearSortedList(ListItemsSort); // it refers to the records about to be freed
    ListItems.swap(fresh);
    CreateSortedList(ListItemsSort, kListCapacity);
    for (const auto& line : ListItems)
        ListItemsSort.Add(line->GetKey(), line.get());
    fillGrid();
    return true;
}

void TFormEditDoc::fillGrid() {
    const int lines = ListItemsSort.Count();
    {
        StringGrid::UpdateLock lock(*SGItems);
        SGItems->SetRowCount(lines + 1);
        SGItems->SetFixedRows(lines > 0 ? 1 : 0);
        SGItems->SetRowTexts(0, {QString(), QStringLiteral("Наименование"), QStringLiteral("Кол-во"),
                                 m_family.priceHeading, QStringLiteral("Сумма")});
        for (int i = 0; i < lines; ++i) {
            SGItems->SetCells(0, i + 1, QString::number(i + 1));
            SGItems->SetRowTexts(i + 1, lineCells(*ListItemsSort.Objects(i)), 1);
        }
    }
    SGItems->viewport()->repaint();
    LabTotal->setText(QStringLiteral("Итого: ") + money(LinesTotal()));
}

// The sum of the lines' sums as the grid shows them: a kit's components carry no price of
// their own, its line carries the kit's.
double TFormEditDoc::LinesTotal() const {
    kovrel::Money total;
    for (int i = 0; i < ListItemsSort.Count(); ++i) {
        const TRecDocItem& line = *ListItemsSort.Objects(i);
        if (!(m_family.kitLines && line.IsItems())) total += lineSum(line);
    }
    return total.ToDouble();
}

// Quantity × price rounded to the kopeck, as the papers print it.
kovrel::Money TFormEditDoc::lineSum(const TRecDocItem& line) const {
    return kovrel::LineSum(kovrel::Quantity::FromDouble(line.Kol),
                           kovrel::Money::FromDouble(line.*m_family.kind.price));
}

// A kit's components show their quantities only: the kit's own line carries its price.
QStringList TFormEditDoc::lineCells(const TRecDocItem& line) const {
    if (m_family.kitLines && line.IsItems())
        return {kKitMark + line.Name, qty(line.Kol), QString(), QString()};
    const double price = line.*m_family.kind.price;
    return {line.Name, qty(line.Kol), money(price), money(lineSum(line).ToDouble())};
}

TRecDocItem* TFormEditDoc::currentLine() const {
    const int entry = SGItems->Row() - SGItems->FixedRows();
    return entry >= 0 && entry < ListItemsSort.Count() ? ListItemsSort.Objects(entry) : nullptr;
}

// A kit is changed and deleted on the service as a whole; its lines are not edited here.
bool TFormEditDoc::protectedLine(const TRecDocItem& line) const {
    return m_family.kitLines && (line.FlagNorm != 0 || line.IsItems());
}

void TFormEditDoc::ButInsItemClick() {
    if (!StoresChosen(m_family.addGuard)) return;
    TListGoodArgs args = m_family.picker;
    args.SelCodeStore = PartyID(LocalRec, m_family.pickerStore);
    if (WindowSeams().FormListGood(this, m_slot, args) != QDialog::Accepted) return;
    NewItem(m_slot.SelID, m_slot.SelCenR, m_slot.SelCenZ);
}

// The header is stored first when it never was, or when its store was changed since (the line
// must go to the document of the store whose stock the editor shows).
void TFormEditDoc::NewItem(int goodsID, double cenR, double cenZ) {
    if (LocalRec.ID < 1 || storesChangedSinceStored()) {
        const bool stored = SaveZag(false);
        if (!stored || LocalRec.ID < 1) return;
    }
    TRecDocItem line;
    line.IDZag = LocalRec.ID;
    line.IDGood = goodsID;
    line.CenR = cenR;
    line.CenZ = cenZ;
    line.Kol = 0;
    const TChange inserted =
        ChangeOnFreshRequest([&](TFormLoad& fl) { return (fl.*m_family.ops.insertItem)(line); }, SBarInfo, 0,
                             [this] { return LoadItems(); });
    if (inserted.unknown) return; // the lines were read again
    // A line left by a cancelled line editor stays with quantity 0.
    if (inserted && line.ID > 0) m_family.editLine(this, m_family.kind.StockStoresOf(LocalRec), line);
    LoadItems();
}

void TFormEditDoc::ButEditItemClick() {
    if (!m_editable) return;
    TRecDocItem* line = currentLine();
    if (!line || protectedLine(*line)) return;
    m_family.editLine(this, m_family.kind.StockStoresOf(LocalRec), *line);
    LoadItems();
}

void TFormEditDoc::ButDelItemClick() {
    if (m_editable) DropItem();
}

// The person confirms first (No preselected): a line goes at once, with its quantity. The line
// is then read again for the stock as it is now; orders, which move no stock, delete at once.
void TFormEditDoc::DropItem() {
    TRecDocItem* line = currentLine();
    if (!line || protectedLine(*line)) return;
    if (!AskYesNoDefNo(kDeleteLineQuestion.arg(line->Name))) return;
    const TStockStores stores = m_family.kind.StockStoresOf(LocalRec);
    std::unique_ptr<TRecDocItem> fresh;
    if (m_family.Guarded()) {
        TServerWait wait(*SBarInfo, 0);
        TFormLoad fl;
        fresh = m_family.ops.selectItemOne(fl, *line, stores);
        // A stock that could not be read proves nothing: the line stays.
        if (fl.Failure()) {
            wait.Fail(*fl.Failure());
            return;
        }
    }
    const TRecDocItem& now = fresh ? *fresh : *line;
    bool keeps = true;
    for (size_t side = 0; side < m_family.stock.size(); ++side)
        keeps = keeps && DeleteKeepsStock(m_family.stock[side], StockOf(now, side), now.Kol);
    if (keeps) {
        const TChange deleted =
            ChangeOnFreshRequest([&](TFormLoad& fl) { return (fl.*m_family.ops.deleteItem)(now); }, SBarInfo,
                                 0, [this] { return LoadItems(); });
        if (deleted.unknown) return; // the lines were read again
    } else {
        ShowInfo(kNoStock);
    }
    LoadItems();
}
