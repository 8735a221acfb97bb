#include "journal_page.h"

#include "controls.h"
#include "date_picker.h"
#include "date_time.h"
#include "param_panel.h"
#include "string_grid.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kToolHeight = 75;

QStringList goodsDocColumns(const QString& party, bool partyFirst) {
    const QString store = QStringLiteral("Склад");
    return {QStringLiteral("Номер"),     QStringLiteral("Дата"),  partyFirst ? party : store,
            partyFirst ? store : party,  QStringLiteral("Сумма"), QStringLiteral("Долг"),
            QStringLiteral("Примечание")};
}

const TJournalPageDef kJournals[] = {
    {TJournalKind::Prh,
     "TSPrh",
     "SGPrh",
     "EdFindPrh",
     "DTPBeginPrh",
     "DTPEndPrh",
     "ButInsPrh",
     "ButEditPrh",
     "ButDelPrh",
     "ButRefPrh",
     "ButPayPrh",
     goodsDocColumns(QStringLiteral("Поставщик"), true),
     {40, 50, 80, 200, 150, 80, 80, 150}},
    {TJournalKind::Nkl,
     "TSNkl",
     "SGNkl",
     "EdFindNkl",
     "DTPBeginNkl",
     "DTPEndNkl",
     "ButInsNkl",
     "ButEditNkl",
     "ButDelNkl",
     "ButRefNkl",
     "ButPayNkl",
     goodsDocColumns(QStringLiteral("Покупатель"), false),
     {40, 50, 80, 150, 200, 80, 80, 150}},
    {TJournalKind::Invoice,
     "TSInvoice",
     "SGInvoice",
     "EdFindInvoice",
     "DTPBeginInvoice",
     "DTPEndInvoice",
     "ButInsInvoice",
     "ButEditInvoice",
     "ButDelInvoice",
     "ButRefInvoice",
     "ButPayInvoice",
     goodsDocColumns(QStringLiteral("Покупатель"), false),
     {40, 50, 80, 150, 200, 80, 80, 150}},
    {TJournalKind::Vnk,
     "TSVnk",
     "SGVnk",
     "EdFindVnk",
     "DTPBeginVnk",
     "DTPEndVnk",
     "ButInsVnk",
     "ButEditVnk",
     "ButDelVnk",
     "ButRefVnk",
     nullptr,
     {QStringLiteral("Номер"), QStringLiteral("Дата"), QStringLiteral("Сдал"), QStringLiteral("Получил"),
      QStringLiteral("Сумма"), QStringLiteral("Примечание")},
     {40, 50, 80, 150, 150, 80, 150}},
    {TJournalKind::Money,
     "TSMoney",
     "SGMoney",
     "EdFindMoney",
     "DTPBeginMoney",
     "DTPEndMoney",
     "ButInsMoney",
     "ButEditMoney",
     "ButDelMoney",
     "ButRefMoney",
     nullptr,
     {QStringLiteral("Номер"), QStringLiteral("Дата"), QStringLiteral("Отправитель"),
      QStringLiteral("Получатель"), QStringLiteral("Сумма"), QStringLiteral("Примечание"),
      QStringLiteral("№ накладной"), QStringLiteral("№ заказа (счета)")},
     {40, 50, 80, 150, 150, 80, 150, 70, 70}},
};

} // namespace

const TJournalPageDef& TJournalPage::Def(TJournalKind kind) {
    return kJournals[static_cast<int>(kind)];
}

TJournalPage::TJournalPage(const TJournalPageDef& def, QWidget* parent)
    : QWidget(parent)
    , m_def(def) {
    setObjectName(QString::fromLatin1(def.page));
    auto* tools = new TParamPanel(kToolHeight, this);
    m_find = MakeEdit(tools, def.search, 150);
    m_begin = MakeDatePicker(tools, def.begin);
    m_end = MakeDatePicker(tools, def.end);
    tools->AddRow({MakeLabel(tools, QStringLiteral("Поиск")), m_find,
                   MakeLabel(tools, QStringLiteral("Даты с")), m_begin,
                   MakeLabel(tools, QStringLiteral("по")), m_end});
    tools->AddRow({MakeButton(tools, def.butIns, QStringLiteral("Добавить")),
                   MakeButton(tools, def.butEdit, QStringLiteral("Изменить")),
                   MakeButton(tools, def.butDel, QStringLiteral("Удалить")),
                   MakeButton(tools, def.butRef, QStringLiteral("Обновить"))});
    if (def.butPay) {
        tools->NextColumn();
        tools->AddRow({MakeButton(tools, def.butPay, QStringLiteral("Добавить оплату документа"), 200)});
    }

    m_grid = MakeGrid(this, def.grid, static_cast<int>(def.headers.size()) + 1, 1, def.widths);
    m_grid->SetRowTexts(0, def.headers, 1);
    StackOverGrid(this, tools, m_grid);
}

void TJournalPage::SetDefaultPeriod(double today) {
    SetMonthPeriod(m_begin, m_end, today);
}

void TJournalPage::Refresh() {}
