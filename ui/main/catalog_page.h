#pragma once

#include "request_failure.h"

#include <QStringList>
#include <QWidget>

#include <optional>
#include <vector>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class StringGrid;
class TStatusBar;

// What one catalog page is: its control names, columns, right and confirmation.
struct TCatalogPageDef {
    const char* page;
    const char* search;
    const char* butIns;
    const char* butEdit;
    const char* butDel;
    const char* grid;
    std::vector<int> widths; // column 0 (the row number) first
    QStringList headers;     // columns 1…
    int right = 0;           // guards add, edit and delete; 0 for none
    // Asked before deleting; with a kind filter, one per filter entry (the last serves the rest).
    QStringList deleteQuestions;
    bool kindFilter = false; // the counterparty kind filter under the search box
    bool listOnly = false;   // listed and searched only: buttons disabled, double click ignored
};

// A catalog page: search box and buttons on a tool panel over a grid that lists what the last
// load returned, in key order. Typing in the search box reloads at once, filtered by the
// service. Adding and editing open the entry's editor and reload when it closes, whatever its
// result; deleting asks first (No preselected). A load that fails leaves the grid as it was and
// the status bar saying why. The kind of record is the subclass's business.
class TCatalogPage : public QWidget {
    Q_OBJECT
public:
    TCatalogPage(const TCatalogPageDef& def, TStatusBar& bar, QWidget* parent);

    // The page's loader.
    void Refresh();

    StringGrid* Grid() const { return m_grid; }
    QLineEdit* FindBox() const { return m_find; }
    // The counterparty kind filter, or null; entry i stands for kind i + 1.
    QComboBox* KindBox() const { return m_kind; }

    // The handlers of the page's controls.
    void FindChange();
    void InsClick();
    void EditClick();
    void DelClick();
    void KindChange();

protected:
    // Loads the entries with the trimmed search text (and the kind when the page has the
    // filter) and keeps them in key order; when the load fails, keeps what it had and says why.
    virtual std::optional<kovrel::RequestFailure> LoadEntries(const QString& filter, int kind) = 0;
    virtual int EntryCount() const = 0;
    virtual QStringList EntryCells(int entry) const = 0;
    virtual void OpenNew(int kind) = 0;
    virtual void OpenEntry(int entry) = 0;
    virtual void RemoveEntry(int entry) = 0;

private:
    void buildToolPanel(QGridLayout* tools);
    void fillGrid();
    // The entry of the grid's current row, or -1.
    int currentEntry() const;
    int kind() const;
    bool granted() const;

    TCatalogPageDef m_def;
    TStatusBar& m_bar;
    QLineEdit* m_find = nullptr;
    QPushButton* m_ins = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_del = nullptr;
    QComboBox* m_kind = nullptr;
    StringGrid* m_grid = nullptr;
};
