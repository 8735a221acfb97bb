#include "form_list.h"

#include "controls.h"
#include "selection_slot.h"
#include "server_wait.h"
#include "status_bar.h"
#include "string_grid.h"
#include "window_frame.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kSearchWidth = 120;
constexpr int kStatusPanelWidth = 50;
} // namespace

TFormList::TFormList(QWidget* owner, TSelectionSlot& slot, const QString& caption, QSize client,
                     int panelHeight)
    : QDialog(owner)
    , Slot(slot) {
    FrameWindow(this, caption, client, kFontPixels);
    auto* panel = new QFrame(this);
    panel->setFixedHeight(panelHeight);
    m_panelGrid = new QGridLayout(panel);
    m_panelGrid->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    EdFind = MakeEdit(panel, "EdFind", kSearchWidth);
    ButSel = MakeButton(panel, "ButSel", QStringLiteral("Выбрать"));
    m_panelGrid->addWidget(MakeLabel(panel, QStringLiteral("Поиск")), 0, 0);
    m_panelGrid->addWidget(EdFind, 0, 1);
    m_panelGrid->addWidget(ButSel, 0, 2);
    m_panelGrid->setColumnStretch(4, 1);

    SGList = MakeGrid(this, "SGList", 1, 0, {});
    SBar = new TStatusBar(this);
    SBar->setObjectName(QStringLiteral("SBar"));
    SBar->AddPanel(kStatusPanelWidth);
    SBar->StretchLastPanel();

    QVBoxLayout* layout = StackLayout(this);
    layout->addWidget(panel);
    layout->addWidget(SGList, 1);
    layout->addWidget(SBar);

    EdFind->installEventFilter(this);
    SGList->installEventFilter(this);
    connect(EdFind, &QLineEdit::textChanged, this, &TFormList::EdFindChange);
    connect(ButSel, &QPushButton::clicked, this, &TFormList::ButSelClick);
    connect(SGList, &StringGrid::DblClick, this, &TFormList::SGListDblClick);
}

void TFormList::SetColumns(const std::vector<int>& widths, const QStringList& headers) {
    SGList->SetColCount(static_cast<int>(widths.size()));
    for (size_t c = 0; c < widths.size(); ++c)
        SGList->SetColWidths(static_cast<int>(c), widths[c]);
    m_headers = headers;
}

void TFormList::Refresh() {
    TServerWait wait(*SBar, 0);
    // A failed load lists what the one before listed, under the headings.
    if (const auto failure = LoadEntries(EdFind->text().trimmed())) wait.Fail(*failure);
    fillGrid();
    SGList->repaint();
}

void TFormList::fillGrid() {
    const int entries = EntryCount();
    StringGrid::UpdateLock lock(*SGList);
    SGList->SetRowCount(entries + 1);
    SGList->SetFixedRows(entries > 0 ? 1 : 0);
    SGList->SetRowTexts(0, m_headers);
    for (int i = 0; i < entries; ++i)
        SGList->SetRowTexts(i + 1, EntryCells(i));
}

void TFormList::EdFindChange() {
    Refresh();
    EdFind->setFocus();
}

void TFormList::ButSelClick() {
    const int entry = SGList->Row() - SGList->FixedRows();
    if (EntryCount() == 0 || entry < 0 || entry >= EntryCount()) return;
    ChooseEntry(entry);
    accept();
}

void TFormList::SGListDblClick() {
    ButSelClick();
}

// The keyboard alone finds and chooses: Down leaves the search box for the list, Enter in the
// list chooses its current row.
bool TFormList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (watched == EdFind && key == Qt::Key_Down && EntryCount() > 0) {
        SGList->setFocus();
        return true;
    }
    if (watched == SGList && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        ButSelClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
