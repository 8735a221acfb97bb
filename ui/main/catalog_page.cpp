#include "catalog_page.h"

#include "access_checks.h"
#include "controls.h"
#include "entry_grid.h"
#include "list_keys.h"
#include "server_wait.h"
#include "status_bar.h"
#include "string_grid.h"
#include "user_interaction.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kToolHeight = 45;
constexpr int kToolHeightWithKind = 90;
constexpr int kKindBoxWidth = 199;
constexpr int kSearchWidth = 150;

} // namespace

TCatalogPage::TCatalogPage(const TCatalogPageDef& def, TStatusBar& bar, QWidget* parent)
    : QWidget(parent)
    , m_def(def)
    , m_bar(bar) {
    setObjectName(QString::fromLatin1(def.page));
    auto* tools = new QFrame(this);
    tools->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    tools->setFixedHeight(def.kindFilter ? kToolHeightWithKind : kToolHeight);
    auto* toolLayout = new QGridLayout(tools);
    buildToolPanel(toolLayout);

    m_grid = MakeGrid(this, def.grid, static_cast<int>(def.headers.size()) + 1, 1, def.widths);
    m_grid->SetRowTexts(0, def.headers, 1);
    if (!def.listOnly) connect(m_grid, &StringGrid::DblClick, this, &TCatalogPage::EditClick);
    StackOverGrid(this, tools, m_grid);
    TListKeyActions keys;
    keys.refresh = [this] { Refresh(); };
    if (!def.listOnly) {
        keys.add = [this] { InsClick(); };
        keys.open = [this] { EditClick(); };
        keys.remove = [this] { DelClick(); };
    }
    BindListKeys(this, m_grid, keys);
}

void TCatalogPage::buildToolPanel(QGridLayout* tools) {
    QWidget* panel = tools->parentWidget();
    m_find = MakeEdit(panel, m_def.search, kSearchWidth);
    m_ins = MakeButton(panel, m_def.butIns, QStringLiteral("Добавить"));
    m_edit = MakeButton(panel, m_def.butEdit, QStringLiteral("Изменить"));
    m_del = MakeButton(panel, m_def.butDel, QStringLiteral("Удалить"));
    SetKeyTip(m_ins, ListKeys::kAdd);
    SetKeyTip(m_edit, ListKeys::kOpen);
    SetKeyTip(m_del, ListKeys::kRemove);
    tools->addWidget(MakeLabel(panel, QStringLiteral("Поиск")), 0, 0);
    tools->addWidget(m_find, 0, 1);
    tools->addWidget(m_ins, 0, 2);
    tools->addWidget(m_edit, 0, 3);
    tools->addWidget(m_del, 0, 4);
    tools->setColumnStretch(5, 1);
    if (m_def.kindFilter) {
        m_kind = MakeCombo(panel, "ComBoxTypeKl", KlientKindTexts(), kKindBoxWidth);
        tools->addWidget(m_kind, 1, 0, 1, 2, Qt::AlignLeft);
        connect(m_kind, &QComboBox::currentIndexChanged, this, &TCatalogPage::KindChange);
    }
    connect(m_find, &QLineEdit::textChanged, this, &TCatalogPage::FindChange);
    if (m_def.listOnly) {
        for (QPushButton* b : {m_ins, m_edit, m_del})
            b->setEnabled(false);
        return;
    }
    connect(m_ins, &QPushButton::clicked, this, &TCatalogPage::InsClick);
    connect(m_edit, &QPushButton::clicked, this, &TCatalogPage::EditClick);
    connect(m_del, &QPushButton::clicked, this, &TCatalogPage::DelClick);
}

int TCatalogPage::kind() const {
    return m_kind ? m_kind->currentIndex() + 1 : 0;
}

void TCatalogPage::Refresh() {
    TServerWait wait(m_bar, 1);
    if (const auto failure = LoadEntries(m_find->text().trimmed(), kind()))
        wait.Fail(*failure);
    else
        fillGrid();
}

void TCatalogPage::fillGrid() {
    FillNumberedGrid(*m_grid, m_def.headers, EntryCount(), [this](int entry) { return EntryCells(entry); });
}

int TCatalogPage::currentEntry() const {
    return CurrentEntry(*m_grid, EntryCount());
}

bool TCatalogPage::granted() const {
    return m_def.right == 0 || CheckRight(m_def.right, true);
}

void TCatalogPage::FindChange() {
    Refresh();
    m_find->setFocus();
}

void TCatalogPage::KindChange() {
    Refresh();
}

void TCatalogPage::InsClick() {
    if (!granted()) return;
    OpenNew(kind());
    Refresh();
}

void TCatalogPage::EditClick() {
    if (!granted()) return;
    const int entry = currentEntry();
    if (entry < 0) return;
    OpenEntry(entry);
    Refresh();
}

void TCatalogPage::DelClick() {
    if (!granted()) return;
    const int entry = currentEntry();
    if (entry < 0) return;
    const QStringList& questions = m_def.deleteQuestions;
    const int q = std::min(std::max(kind() - 1, 0), static_cast<int>(questions.size()) - 1);
    if (!AskYesNoDefNo(questions.value(q))) return;
    RemoveEntry(entry);
    Refresh();
}
