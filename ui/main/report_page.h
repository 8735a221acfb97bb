#pragma once

#include "date_time.h"
#include "report_controls.h"
#include "report_grid.h"
#include "report_page_def.h"

#include <QDateTime>
#include <QList>
#include <QWidget>

#include <functional>
#include <utility>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class StringGrid;
class TDatePicker;
class TFormLoad;
class TParamPanel;
class TSelectionSlot;
class TStatusBar;

// One report page on screen: its name, its parameter panel's height and its report, whose
// grid and check boxes the report's page table (report_page_def.h) describes.
struct TReportPageDef {
    const char* page;
    int panelHeight;
    const char* operation;
};

// A report page: a parameter panel over the report's grid. Subclasses put their parameter
// controls on the panel with the Add… helpers, which also remember what the main window needs
// when it opens the page: the store and manager filters and the purchase-price boxes. The
// loader (Refresh) queries the service, computes and fills the grid inside one frame that
// shows the wait on the status bar.
class TReportPage : public QWidget {
    Q_OBJECT
public:
    TReportPage(const TReportPageDef& def, TStatusBar& bar, TSelectionSlot& slot, QWidget* parent);

    const kovrel::report::ReportPageDef& Report() const { return m_report; }
    StringGrid* Grid() const { return m_grid; }
    QComboBox* StoreCombo() const { return m_storeCombo; }     // null when the page has none
    QComboBox* ManagerCombo() const { return m_managerCombo; } // null when the page has none
    // Check boxes that show purchase prices; disabled for good without right 5005.
    const QList<QCheckBox*>& PurchasePriceBoxes() const { return m_purchaseBoxes; }

    // Start-up: nothing chosen through pickers, every period from the first day of the month of
    // `today` to the first day of the next month.
    virtual void ResetParameters(TDateTime today);

    // The report's loader, run when the page is opened and by "Обновить".
    virtual void Refresh() = 0;

    // What the page's controls choose now: its check boxes and what a subclass adds.
    virtual kovrel::report::TReportChoices Choices() const;

    // The grid as it is now, with the widths the user may have dragged: what the exports take.
    TReportGrid GridNow() const;

    // The controls as they are now, keyed by name, for the printed title and the choice of
    // template: check boxes, combo texts (the orientation and the account group by position),
    // dates, edit texts, the names chosen through pickers and the kind of a chosen counterparty.
    ReportControls PrintControls() const;
    // "Печать": the report laid out from the grid as it is and the controls as they are now, in
    // the preview; nothing is shown when it cannot be laid out.
    void PrintReport();

    // The moments the timed loaders note before and after their query (T1 and T3), and the
    // clock they read; tests give the page a clock of their own.
    QDateTime T1;
    QDateTime T3;
    std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };

    // "Ответ получен. Время запроса: " with the seconds in their shortest form.
    static QString QueryTimeText(qint64 ms);

Q_SIGNALS:
    // "Экспорт": the grid's export menu is wanted at that point of the screen.
    void ExportMenuRequested(const QPoint& globalPos);

protected:
    TParamPanel* Panel() const { return m_panel; }

    // The begin and end pickers of a period.
    std::pair<TDatePicker*, TDatePicker*> AddPeriod(const char* begin, const char* end);
    QComboBox* AddStoreCombo(const char* name);
    QComboBox* AddManagerCombo(const char* name);
    QComboBox* AddCombo(const char* name, const QString& label, const QStringList& items);
    // Where a control's caption stands: over it in a column of its own, or beside it in a row.
    enum class LabelAt { Above, Beside };
    // "Период детализации" with its list of the detail periods (index 0 day, 1 month, 2 week).
    QComboBox* AddDetailCombo(const char* name, LabelAt at);
    // "Наименование товара" with its filter.
    QLineEdit* AddNameEdit(const char* name, LabelAt at);
    // A check box of the report, at its start state.
    QCheckBox* AddCheck(const char* name, const QString& caption);
    // A purchase-price box: the main window disables it for users without right 5005.
    QCheckBox* AddPurchaseCheck(const char* name, const QString& caption);
    // A picker button with the label beside it that shows the choice ("***" until start-up
    // empties it); the label's column takes the width the panel's other columns leave.
    QLabel* AddPicker(const char* button, const QString& caption, const char* label,
                      const std::function<void()>& onClick);
    // "Обновить" over "Печать" and "Экспорт" side by side; the export button's name is the
    // print button's with "ButExport" for "ButPrint".
    void AddButtons(const char* refresh, const char* print);

    // The loader's frame: the wait on the status bar (timed for the stock and debts reports),
    // a request object for `query`, the grid `query` returns shown, and the grid repainted;
    // after a failed query the grid stays as it was and the status bar says why.
    void Load(bool timed, const std::function<TReportGrid(TFormLoad&)>& query);

    // A name chosen through a picker, which the printed title shows under `control`.
    void AddTitleName(const char* control, const QString* name);

    // Opens the goods picker on the whole catalog and takes what it left in the selection
    // slot, whether or not something was chosen.
    void PickGood(QString& name, int& id, QLabel* label);
    // Opens the counterparty picker on its first kind, the kind filter enabled or not, and
    // takes what it left; returns the kind of the choice.
    int PickKlient(bool kindEnabled, QString& name, int& id, QLabel* label);
    static void ClearPick(QString& name, int& id, QLabel* label);

private:
    QComboBox* addFilterCombo(const char* name, const QString& label);
    void addLabelled(QWidget* control, const QString& label, LabelAt at);
    // Writes the report into the grid. The grid is cut back to its columns at start first, so
    // the columns a list report adds come at the default width, while the columns at start
    // keep the widths the user gave them.
    void showGrid(const TReportGrid& g);

    const kovrel::report::ReportPageDef& m_report;
    TStatusBar& m_bar;
    TSelectionSlot& m_slot;
    TParamPanel* m_panel;
    StringGrid* m_grid;
    QList<TDatePicker*> m_periodBegins;
    QList<TDatePicker*> m_periodEnds;
    QComboBox* m_storeCombo = nullptr;
    QComboBox* m_managerCombo = nullptr;
    QList<QCheckBox*> m_purchaseBoxes;
    QList<std::pair<QString, const QString*>> m_titleNames;
};
