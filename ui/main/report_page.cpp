#include "report_page.h"

#include "controls.h"
#include "date_picker.h"
#include "fit_combo_box.h"
#include "form_load.h"
#include "param_panel.h"
#include "report_print.h"
#include "selection_slot.h"
#include "server_wait.h"
#include "status_bar.h"
#include "string_grid.h"
#include "window_seams.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

namespace {

constexpr int kComboWidth = 160;
constexpr int kNameEditWidth = 160;
// "Обновить", "Печать" and "Экспорт": the panel's right column holds two of them side by side.
constexpr int kButtonWidth = 72;

std::vector<int> startWidths(const kovrel::report::ReportPageDef& def) {
    return {def.widths.begin(), def.widths.end()};
}

} // namespace

TReportPage::TReportPage(const TReportPageDef& def, TStatusBar& bar, TSelectionSlot& slot, QWidget* parent)
    : QWidget(parent)
    , m_report(kovrel::report::ReportPageDefOf(def.operation))
    , m_bar(bar)
    , m_slot(slot)
    , m_panel(new TParamPanel(def.panelHeight, this))
    , m_grid(MakeGrid(this, m_report.grid, m_report.cols, m_report.fixedCol ? 1 : 0, startWidths(m_report),
                      m_report.defaultColWidth)) {
    setObjectName(QString::fromLatin1(def.page));
    StackOverGrid(this, m_panel, m_grid);
}

void TReportPage::ResetParameters(TDateTime today) {
    for (qsizetype i = 0; i < m_periodBegins.size(); ++i)
        SetMonthPeriod(m_periodBegins[i], m_periodEnds[i], today);
}

kovrel::report::TReportChoices TReportPage::Choices() const {
    kovrel::report::TReportChoices c;
    for (const kovrel::report::CheckDef& check : m_report.checks)
        c.Checks.insert(QLatin1String(check.name),
                        findChild<QCheckBox*>(QLatin1String(check.name))->isChecked());
    return c;
}

TReportGrid TReportPage::GridNow() const {
    TReportGrid g;
    g.FixedRows = m_grid->FixedRows();
    g.FixedCols = m_grid->FixedCols();
    for (int col = 0; col < m_grid->ColCount(); ++col)
        g.Widths << m_grid->ColWidths(col);
    g.Rows.reserve(m_grid->RowCount());
    for (int row = 0; row < m_grid->RowCount(); ++row) {
        QStringList cells;
        cells.reserve(m_grid->ColCount());
        for (int col = 0; col < m_grid->ColCount(); ++col)
            cells << m_grid->Cells(col, row);
        g.Rows << cells;
    }
    return g;
}

ReportControls TReportPage::PrintControls() const {
    ReportControls c;
    const auto named = [](const QWidget* w, const char* prefix) {
        return w->objectName().startsWith(QLatin1String(prefix));
    };
    for (const QWidget* w : findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (const auto* box = qobject_cast<const QCheckBox*>(w); box && named(w, "CBox"))
            c.set(name, box->isChecked());
        else if (const auto* picker = qobject_cast<const TDatePicker*>(w); picker && named(w, "DTP"))
            c.set(name, picker->Date());
        else if (const auto* combo = qobject_cast<const QComboBox*>(w); combo && named(w, "ComBox"))
            c.set(name, name == QLatin1String("ComBoxPrintOst") || name == QLatin1String("ComBoxGrRepDolg")
                            ? QVariant(combo->currentIndex())
                            : QVariant(combo->currentText()));
        else if (const auto* edit = qobject_cast<const QLineEdit*>(w); edit && named(w, "Ed"))
            c.set(name, edit->text());
    }
    for (const auto& [control, field] : m_titleNames)
        c.set(control, *field);
    c.set(QStringLiteral("SelKlientGr"), Choices().SelKlientGr);
    return c;
}

void TReportPage::PrintReport() {
    const auto kind = ReportPrint::kindOfOperation(QLatin1String(m_report.operation));
    const TReportGrid grid = GridNow();
    const ReportControls controls = PrintControls();
    const PrepareResult prepared = ReportPrint::prepare(*kind, grid, controls);
    if (!prepared) return;
    const ReportPageSetup page = ReportPrint::makeTemplate(*kind, grid, controls).page;
    WindowSeams().Preview(window(), *prepared.report, page,
                          [kind, grid, controls](const ReportPageSetup& setup) {
                              return ReportPrint::prepare(*kind, grid, controls, setup);
                          });
}

void TReportPage::AddTitleName(const char* control, const QString* name) {
    m_titleNames.append({QLatin1String(control), name});
}

QString TReportPage::QueryTimeText(qint64 ms) {
    // The shortest general form of the seconds, with the user's decimal separator.
    QString seconds = QString::number(static_cast<double>(ms) / 1000.0, 'g', 15);
    seconds.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return QStringLiteral("Ответ получен. Время запроса: ") + seconds + QStringLiteral(" сек.");
}

// A report that could not be read whole is not shown at all: a part of a report, or an empty
// one, would pass for the truth. The page keeps the report it showed, and the status bar says
// why, without a query time.
void TReportPage::Load(bool timed, const std::function<TReportGrid(TFormLoad&)>& query) {
    if (timed) T1 = Clock();
    TServerWait wait(m_bar, 1);
    {
        TFormLoad fl;
        const TReportGrid grid = query(fl);
        if (fl.Failure()) {
            wait.Fail(*fl.Failure());
            return;
        }
        showGrid(grid);
    }
    m_grid->repaint();
    if (timed) {
        T3 = Clock();
        wait.Finish(QueryTimeText(T1.msecsTo(T3)));
    }
}

void TReportPage::showGrid(const TReportGrid& g) {
    const StringGrid::UpdateLock lock(*m_grid);
    m_grid->SetColCount(m_report.cols);
    m_grid->SetColCount(g.ColCount());
    m_grid->SetRowCount(g.RowCount());
    m_grid->SetFixedRows(g.FixedRows);
    for (int row = 0; row < g.RowCount(); ++row)
        m_grid->SetRowTexts(row, g.Rows[row]);
}

std::pair<TDatePicker*, TDatePicker*> TReportPage::AddPeriod(const char* begin, const char* end) {
    TDatePicker* b = MakeDatePicker(m_panel, begin);
    TDatePicker* e = MakeDatePicker(m_panel, end);
    m_periodBegins << b;
    m_periodEnds << e;
    m_panel->AddRow(
        {MakeLabel(m_panel, QStringLiteral("Даты с")), b, MakeLabel(m_panel, QStringLiteral("по")), e});
    return {b, e};
}

QComboBox* TReportPage::AddCombo(const char* name, const QString& label, const QStringList& items) {
    QComboBox* box = MakeCombo(m_panel, name, items, kComboWidth);
    m_panel->AddRow({MakeLabel(m_panel, label), box});
    return box;
}

// The stores and managers come from the service: the box asks for the width of the longest
// name it is given.
QComboBox* TReportPage::addFilterCombo(const char* name, const QString& label) {
    auto* box = new TFitComboBox(kComboWidth, m_panel);
    box->setObjectName(QString::fromLatin1(name));
    m_panel->AddRow({MakeLabel(m_panel, label), box});
    return box;
}

QComboBox* TReportPage::AddStoreCombo(const char* name) {
    m_storeCombo = addFilterCombo(name, QStringLiteral("Склад"));
    return m_storeCombo;
}

QComboBox* TReportPage::AddManagerCombo(const char* name) {
    m_managerCombo = addFilterCombo(name, QStringLiteral("Менеджер"));
    return m_managerCombo;
}

void TReportPage::addLabelled(QWidget* control, const QString& label, LabelAt at) {
    QLabel* caption = MakeLabel(m_panel, label);
    if (at == LabelAt::Beside) {
        m_panel->AddRow({caption, control});
        return;
    }
    // A column of its own as narrow as the caption over it: a 1024-pixel screen has no room to spare.
    control->setFixedWidth(caption->sizeHint().width());
    m_panel->AddRow({caption});
    m_panel->AddRow({control});
}

QLineEdit* TReportPage::AddNameEdit(const char* name, LabelAt at) {
    QLineEdit* edit = MakeEdit(m_panel, name, kNameEditWidth);
    addLabelled(edit, QStringLiteral("Наименование товара"), at);
    return edit;
}

QCheckBox* TReportPage::AddCheck(const char* name, const QString& caption) {
    bool checked = false;
    for (const kovrel::report::CheckDef& check : m_report.checks)
        if (qstrcmp(check.name, name) == 0) checked = check.checked;
    QCheckBox* box = MakeCheck(m_panel, name, caption, checked);
    m_panel->AddRow({box});
    return box;
}

QCheckBox* TReportPage::AddPurchaseCheck(const char* name, const QString& caption) {
    QCheckBox* box = AddCheck(name, caption);
    m_purchaseBoxes << box;
    return box;
}

QLabel* TReportPage::AddPicker(const char* button, const QString& caption, const char* label,
                               const std::function<void()>& onClick) {
    QPushButton* b = MakeButton(m_panel, button, caption, 150);
    QLabel* l = MakeLabel(m_panel, QStringLiteral("***"), label);
    // The name chosen stands beside its button in the width the other parameters leave; a
    // longer one is cut at the label's end rather than squeezing them.
    l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_panel->AddRow({b, l}, l);
    m_panel->StretchColumn();
    connect(b, &QPushButton::clicked, this, onClick);
    return l;
}

void TReportPage::AddButtons(const char* refresh, const char* print) {
    QPushButton* ref = MakeButton(m_panel, refresh, QStringLiteral("Обновить"), kButtonWidth);
    m_panel->AddRow({ref});
    QPushButton* prn = MakeButton(m_panel, print, QStringLiteral("Печать"), kButtonWidth);
    // "ButPrintRepOst" exports through "ButExportRepOst".
    const QByteArray exportName = QByteArray(print).replace("ButPrint", "ButExport");
    QPushButton* exp = MakeButton(m_panel, exportName.constData(), QStringLiteral("Экспорт"), kButtonWidth);
    exp->setToolTip(QStringLiteral("Экспорт таблицы в Excel, Calc или текстовый файл"));
    m_panel->AddRow({prn, exp});
    connect(ref, &QPushButton::clicked, this, &TReportPage::Refresh);
    connect(prn, &QPushButton::clicked, this, &TReportPage::PrintReport);
    connect(exp, &QPushButton::clicked, this,
            [this, exp] { emit ExportMenuRequested(exp->mapToGlobal(QPoint(0, exp->height()))); });
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
    label->setToolTip(name); // the whole name, where the label cuts it
}

int TReportPage::PickKlient(bool kindEnabled, QString& name, int& id, QLabel* label) {
    m_slot.SelName.clear();
    m_slot.SelID = -1;
    m_slot.SelGr = -1;
    WindowSeams().FormListKl(window(), m_slot, 0, kindEnabled);
    name = m_slot.SelName;
    id = m_slot.SelID;
    label->setText(name);
    label->setToolTip(name); // the whole name, where the label cuts it
    return m_slot.SelGr;
}

void TReportPage::ClearPick(QString& name, int& id, QLabel* label) {
    name.clear();
    id = -1;
    label->clear();
}

QComboBox* TReportPage::AddDetailCombo(const char* name, LabelAt at) {
    QComboBox* box =
        MakeCombo(m_panel, name, {QStringLiteral("день"), QStringLiteral("месяц"), QStringLiteral("неделя")},
                  kComboWidth);
    addLabelled(box, QStringLiteral("Период детализации"), at);
    return box;
}
