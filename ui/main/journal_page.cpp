#include "journal_page.h"

#include "access_checks.h"
#include "controls.h"
#include "date_picker.h"
#include "entry_grid.h"
#include "list_keys.h"
#include "param_panel.h"
#include "server_wait.h"
#include "string_grid.h"
#include "user_interaction.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kToolHeight = 75;
constexpr int kSearchWidth = 150;
constexpr int kPayWidth = 200;

} // namespace

const QString TJournalPage::kDeleteQuestion =
    QStringLiteral("Документ будет полностью удален. Продолжить удаление ?");

TJournalPage::TJournalPage(const TJournalPageDef& def, TStatusBar& bar, TSelectionSlot& slot, QWidget* parent)
    : QWidget(parent)
    , m_def(def)
    , m_bar(bar)
    , m_slot(slot) {
    setObjectName(QStringLiteral("TS") + def.kind);
    QWidget* tools = buildToolPanel();
    const QByteArray grid = (QStringLiteral("SG") + def.kind).toLatin1();
    m_grid = MakeGrid(this, grid.constData(), static_cast<int>(def.headers.size()) + 1, 1, def.widths);
    m_grid->SetRowTexts(0, def.headers, 1);
    connect(m_grid, &StringGrid::DblClick, this, &TJournalPage::EditClick);
    StackOverGrid(this, tools, m_grid);
    BindListKeys(
        this, m_grid,
        {[this] { InsClick(); }, [this] { EditClick(); }, [this] { DelClick(); }, [this] { RefClick(); }});
}

QWidget* TJournalPage::buildToolPanel() {
    auto* tools = new TParamPanel(kToolHeight, this);
    const auto name = [this](const char* prefix) { return (QLatin1String(prefix) + m_def.kind).toLatin1(); };
    const auto button = [&](const char* prefix, const QString& caption, void (TJournalPage::*click)(),
                            const QString& keys = {}, int width = 100) {
        QPushButton* b = MakeButton(tools, name(prefix).constData(), caption, width);
        connect(b, &QPushButton::clicked, this, click);
        if (!keys.isEmpty()) SetKeyTip(b, keys);
        return b;
    };
    m_find = MakeEdit(tools, name("EdFind").constData(), kSearchWidth);
    m_begin = MakeDatePicker(tools, name("DTPBegin").constData());
    m_end = MakeDatePicker(tools, name("DTPEnd").constData());
    // Enter in the search box or a date box loads with what was typed.
    connect(m_find, &QLineEdit::returnPressed, this, &TJournalPage::Refresh);
    for (TDatePicker* date : {m_begin, m_end})
        connect(date, &TDatePicker::ReturnPressed, this, &TJournalPage::Refresh);
    tools->AddRow({MakeLabel(tools, QStringLiteral("Поиск")), m_find,
                   MakeLabel(tools, QStringLiteral("Даты с")), m_begin,
                   MakeLabel(tools, QStringLiteral("по")), m_end});
    tools->AddRow(
        {button("ButIns", QStringLiteral("Добавить"), &TJournalPage::InsClick, ListKeys::kAdd),
         button("ButEdit", QStringLiteral("Изменить"), &TJournalPage::EditClick, ListKeys::kOpen),
         button("ButDel", QStringLiteral("Удалить"), &TJournalPage::DelClick, ListKeys::kRemove),
         button("ButRef", QStringLiteral("Обновить"), &TJournalPage::RefClick, ListKeys::kRefresh)});
    if (m_def.payments) {
        tools->NextColumn();
        tools->AddRow({button("ButPay", QStringLiteral("Добавить оплату документа"), &TJournalPage::PayClick,
                              {}, kPayWidth)});
    }
    return tools;
}

void TJournalPage::SetDefaultPeriod(TDateTime today) {
    SetMonthPeriod(m_begin, m_end, today);
}

void TJournalPage::Refresh() {
    TServerWait wait(m_bar, 1);
    if (const auto failure = LoadEntries(m_find->text().trimmed(), m_begin->Date(), m_end->Date()))
        wait.Fail(*failure);
    else
        fillGrid();
}

void TJournalPage::fillGrid() {
    FillNumberedGrid(*m_grid, m_def.headers, EntryCount(), [this](int entry) { return EntryCells(entry); });
}

int TJournalPage::currentEntry() const {
    return CurrentEntry(*m_grid, EntryCount());
}

void TJournalPage::InsClick() {
    if (!CheckRight(m_def.rights.full, true)) return;
    OpenNew(kovrel::Today());
    Refresh();
}

void TJournalPage::EditClick() {
    const int entry = currentEntry();
    if (entry < 0) return;
    OpenEntry(entry);
    Refresh();
}

void TJournalPage::DelClick() {
    if (!CheckRight(m_def.rights.full, true) || !CheckNotDenied(m_def.rights.noDelete, true)) return;
    const int entry = currentEntry();
    if (entry < 0) return;
    if (m_def.rights.lockOnDelete != 0 && !CheckDocAge(m_def.rights.lockOnDelete, true, EntryDate(entry)))
        return;
    if (!AskYesNoDefNo(kDeleteQuestion)) return;
    RemoveEntry(entry);
    Refresh();
}

void TJournalPage::RefClick() {
    Refresh();
}

void TJournalPage::PayClick() {
    const int entry = currentEntry();
    if (entry < 0) return;
    PayEntry(entry, kovrel::Today());
    Refresh();
}
