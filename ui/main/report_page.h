#pragma once

#include "date_time.h"

#include <QList>
#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class StringGrid;
class TDatePicker;
class TParamPanel;
class TSelectionSlot;

// The shape of one report page: its parameter panel's height and its grid at start.
struct TReportPageDef {
    const char* page;
    int panelHeight;
    const char* grid;
    int cols;
    bool fixedCol;
    int defaultColWidth;
    std::vector<int> widths;
};

// A report page: a parameter panel over the report's grid. Subclasses put their parameter
// controls on the panel with the Add… helpers, which also remember what the main window needs
// when it opens the page: the store and manager filters and the purchase-price boxes.
class TReportPage : public QWidget {
    Q_OBJECT
public:
    TReportPage(const TReportPageDef& def, TSelectionSlot& slot, QWidget* parent);

    StringGrid* Grid() const { return m_grid; }
    QComboBox* StoreCombo() const { return m_storeCombo; }     // null when the page has none
    QComboBox* ManagerCombo() const { return m_managerCombo; } // null when the page has none
    // Check boxes that show purchase prices; disabled for good without right 5005.
    const QList<QCheckBox*>& PurchasePriceBoxes() const { return m_purchaseBoxes; }

    // Start-up: nothing chosen through pickers, every period from the first day of the month of
    // `today` to the first day of the next month.
    virtual void ResetParameters(TDateTime today);

    // The report's loader. Reports are queried, computed and written into the grid by their
    // own part of the program; until it is built, the page keeps its grid as it is.
    virtual void Refresh();

protected:
    TParamPanel* Panel() const { return m_panel; }

    void AddPeriod(const char* begin, const char* end);
    QComboBox* AddStoreCombo(const char* name);
    QComboBox* AddManagerCombo(const char* name);
    QComboBox* AddCombo(const char* name, const QString& label, const QStringList& items);
    QLineEdit* AddNameEdit(const char* name);
    QCheckBox* AddCheck(const char* name, const QString& caption, bool checked);
    // A purchase-price box: the main window disables it for users without right 5005.
    QCheckBox* AddPurchaseCheck(const char* name, const QString& caption, bool checked);
    // A picker button with the label that shows the choice ("***" until start-up empties it).
    QLabel* AddPicker(const char* button, const QString& caption, const char* label,
                      const std::function<void()>& onClick);
    void AddButtons(const char* refresh, const char* print);

    // Opens the goods picker on the whole catalog and takes what it left in the selection
    // slot, whether or not something was chosen.
    void PickGood(QString& name, int& id, QLabel* label);
    // Opens the counterparty picker on its first kind, the kind filter enabled or not, and
    // takes what it left; returns the kind of the choice.
    int PickKlient(bool kindEnabled, QString& name, int& id, QLabel* label);
    static void ClearPick(QString& name, int& id, QLabel* label);
    // Items of the detail period lists: index 0 day, 1 month, 2 week.
    static QStringList DetailPeriods();

private:
    TSelectionSlot& m_slot;
    TParamPanel* m_panel;
    StringGrid* m_grid;
    QList<TDatePicker*> m_periodBegins;
    QList<TDatePicker*> m_periodEnds;
    QComboBox* m_storeCombo = nullptr;
    QComboBox* m_managerCombo = nullptr;
    QList<QCheckBox*> m_purchaseBoxes;
};
