#include "report_page.h"

#include "controls.h"
#include "date_picker.h"
#include "param_panel.h"
#include "selection_slot.h"
#include "string_grid.h"
#include "window_seams.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kComboWidth = 160;
constexpr int kNameEditWidth = 160;
constexpr int kPickerLabelWidth = 100;

} // namespace

TReportPage::TReportPage(const TReportPageDef& def, TSelectionSlot& slot, QWidget* parent)
    : QWidget(parent)
    , m_slot(slot)
    , m_panel(new TParamPanel(def.panelHeight, this))
    , m_grid(MakeGrid(this, def.grid, def.cols, def.fixedCol ? 1 : 0, def.widths, def.defaultColWidth)) {
    setObjectName(QString::fromLatin1(def.page));
    StackOverGrid(this, m_panel, m_grid);
}

void TReportPage::ResetParameters(TDateTime today) {
    for (qsizetype i = 0; i < m_periodBegins.size(); ++i)
        SetMonthPeriod(m_periodBegins[i], m_periodEnds[i], today);
}

void TReportPage::Refresh() {}

void TReportPage::AddPeriod(const char* begin, const char* end) {
    TDatePicker* b = MakeDatePicker(m_panel, begin);
    TDatePicker* e = MakeDatePicker(m_panel, end);
    m_periodBegins << b;
    m_periodEnds << e;
    m_panel->AddRow(
        {MakeLabel(m_panel, QStringLiteral("Даты с")), b, MakeLabel(m_panel, QStringLiteral("по")), e});
}

QComboBox* TReportPage::AddCombo(const char* name, const QString& label, const QStringList& items) {
    QComboBox* box = MakeCombo(m_panel, name, items, kComboWidth);
    m_panel->AddRow({MakeLabel(m_panel, label), box});
    return box;
}

QComboBox* TReportPage::AddStoreCombo(const char* name) {
    m_storeCombo = AddCombo(name, QStringLiteral("Склад"), {});
    return m_storeCombo;
}

QComboBox* TReportPage::AddManagerCombo(const char* name) {
    m_managerCombo = AddCombo(name, QStringLiteral("Менеджер"), {});
    return m_managerCombo;
}

QLineEdit* TReportPage::AddNameEdit(const char* name) {
    QLineEdit* edit = MakeEdit(m_panel, name, kNameEditWidth);
    m_panel->AddRow({MakeLabel(m_panel, QStringLiteral("Наименование товара"))});
    m_panel->AddRow({edit});
    return edit;
}

QCheckBox* TReportPage::AddCheck(const char* name, const QString& caption, bool checked) {
    QCheckBox* box = MakeCheck(m_panel, name, caption, checked);
    m_panel->AddRow({box});
    return box;
}

QCheckBox* TReportPage::AddPurchaseCheck(const char* name, const QString& caption, bool checked) {
    QCheckBox* box = AddCheck(name, caption, checked);
    m_purchaseBoxes << box;
    return box;
}

QLabel* TReportPage::AddPicker(const char* button, const QString& caption, const char* label,
                               const std::function<void()>& onClick) {
    QPushButton* b = MakeButton(m_panel, button, caption, 150);
    QLabel* l = MakeLabel(m_panel, QStringLiteral("***"), label);
    l->setMinimumWidth(kPickerLabelWidth);
    m_panel->AddRow({b, l});
    connect(b, &QPushButton::clicked, this, onClick);
    return l;
}

void TReportPage::AddButtons(const char* refresh, const char* print) {
    QPushButton* ref = MakeButton(m_panel, refresh, QStringLiteral("Обновить"));
    m_panel->AddRow({ref});
    m_panel->AddRow({MakeButton(m_panel, print, QStringLiteral("Печать"))});
    connect(ref, &QPushButton::clicked, this, &TReportPage::Refresh);
}

void TReportPage::PickGood(QString& name, int& id, QLabel* label) {
    TListGoodArgs args;
    args.FlagIns = false;
    args.SelCodeStore = -1;
    args.SelFlagZero = 0;
    args.SelMode = 1;
    m_slot.SelName.clear();
    m_slot.SelID = -1;
    WindowSeams().FormListGood(window(), m_slot, args);
    name = m_slot.SelName;
    id = m_slot.SelID;
    label->setText(name);
}

int TReportPage::PickKlient(bool kindEnabled, QString& name, int& id, QLabel* label) {
    m_slot.SelName.clear();
    m_slot.SelID = -1;
    m_slot.SelGr = -1;
    WindowSeams().FormListKl(window(), m_slot, 0, kindEnabled);
    name = m_slot.SelName;
    id = m_slot.SelID;
    label->setText(name);
    return m_slot.SelGr;
}

void TReportPage::ClearPick(QString& name, int& id, QLabel* label) {
    name.clear();
    id = -1;
    label->clear();
}

QStringList TReportPage::DetailPeriods() {
    return {QStringLiteral("день"), QStringLiteral("месяц"), QStringLiteral("неделя")};
}
