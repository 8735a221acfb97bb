#pragma once

#include <QStringList>
#include <QWidget>

#include <vector>

class QLineEdit;
class QPushButton;
class StringGrid;
class TDatePicker;

// The five document journals.
enum class TJournalKind { Prh, Nkl, Invoice, Vnk, Money };

// What one journal page is: its control names and columns.
struct TJournalPageDef {
    TJournalKind kind;
    const char* page;
    const char* grid;
    const char* search;
    const char* begin;
    const char* end;
    const char* butIns;
    const char* butEdit;
    const char* butDel;
    const char* butRef;
    const char* butPay;      // null: the journal has no payments
    QStringList headers;     // columns 1…
    std::vector<int> widths; // column 0 first
};

// A document journal page: search text and period over a grid of the documents found.
class TJournalPage : public QWidget {
    Q_OBJECT
public:
    TJournalPage(const TJournalPageDef& def, QWidget* parent = nullptr);

    static const TJournalPageDef& Def(TJournalKind kind);

    TJournalKind Kind() const { return m_def.kind; }
    StringGrid* Grid() const { return m_grid; }

    // The period from the first day of the month of `today` to the first day of the next.
    void SetDefaultPeriod(double today);

    // The journal's loader. The journals' behaviour (loading, adding, opening, deleting,
    // paying) is built on this page separately; until then the page shows its empty grid.
    void Refresh();

private:
    TJournalPageDef m_def;
    QLineEdit* m_find;
    TDatePicker* m_begin;
    TDatePicker* m_end;
    StringGrid* m_grid;
};
