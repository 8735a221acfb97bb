#pragma once

#include "date_time.h"
#include "request_failure.h"

#include <QStringList>
#include <QWidget>

#include <optional>
#include <vector>

class QLineEdit;
class QPushButton;
class StringGrid;
class TDatePicker;
class TSelectionSlot;
class TStatusBar;

// The rights that guard a journal's changes.
struct TJournalRights {
    int full = 0;         // adding and deleting
    int noDelete = 0;     // deleting is forbidden while it is set
    int lockOnDelete = 0; // days lock checked before deleting; 0 for none
};

// What one journal page is on screen: its kind's short name (the controls are named after it:
// TS…, SG…, EdFind…, DTPBegin…, DTPEnd…, ButIns…, ButEdit…, ButDel…, ButRef…, ButPay…), its
// columns and its rights.
struct TJournalPageDef {
    QString kind;
    QStringList headers;     // columns 1…
    std::vector<int> widths; // column 0 (the row number) first
    TJournalRights rights;
    bool payments = false; // "Добавить оплату документа"
};

// A document journal: the documents of a period (newest first, the higher number first within a
// day) that the signed-in person may see, with search text and period taking effect at the next
// load (Enter in one of their boxes loads). A load that fails leaves the grid as it was and the
// status bar saying why. Adding, opening and paying hand a record to a modal editor and
// reload whatever it answered; deleting checks the rights, asks (No preselected) and reloads. What the
// documents are and how a kind deletes and pays is the subclass's business.
class TJournalPage : public QWidget {
    Q_OBJECT
public:
    TJournalPage(const TJournalPageDef& def, TStatusBar& bar, TSelectionSlot& slot, QWidget* parent);

    const TJournalPageDef& Def() const { return m_def; }
    StringGrid* Grid() const { return m_grid; }
    QLineEdit* FindBox() const { return m_find; }
    TDatePicker* BeginBox() const { return m_begin; }
    TDatePicker* EndBox() const { return m_end; }

    // The period from the first day of the month of `today` to the first day of the next.
    void SetDefaultPeriod(TDateTime today);

    // The journal's loader.
    void Refresh();

    // The handlers of the page's controls; a double click on the grid is EditClick.
    void InsClick();
    void EditClick();
    void DelClick();
    void RefClick();
    void PayClick();

    static const QString kDeleteQuestion;

protected:
    // Loads the documents with the trimmed search text and the period (dates only) and keeps
    // the ones shown in key order; when the load fails, keeps what it had and says why.
    virtual std::optional<kovrel::RequestFailure> LoadEntries(const QString& filter, TDateTime begin,
                                                              TDateTime end) = 0;
    virtual int EntryCount() const = 0;
    virtual QStringList EntryCells(int entry) const = 0;
    virtual TDateTime EntryDate(int entry) const = 0;
    // Open the kind's editor modally on a new record dated `today`, or on the entry's record.
    virtual void OpenNew(TDateTime today) = 0;
    virtual void OpenEntry(int entry) = 0;
    virtual void RemoveEntry(int entry) = 0;
    // Opens the money editor on a payment of the entry dated `today`.
    virtual void PayEntry(int entry, TDateTime today) = 0;

    TStatusBar& Bar() const { return m_bar; }
    TSelectionSlot& Slot() const { return m_slot; }

private:
    QWidget* buildToolPanel();
    void fillGrid();
    // The entry of the grid's current row, or -1.
    int currentEntry() const;

    TJournalPageDef m_def;
    TStatusBar& m_bar;
    TSelectionSlot& m_slot;
    QLineEdit* m_find = nullptr;
    TDatePicker* m_begin = nullptr;
    TDatePicker* m_end = nullptr;
    StringGrid* m_grid = nullptr;
};
