#pragma once

#include <QList>

class QGridLayout;
class QLineEdit;
class QWidget;
class TRecBank;

// The fourteen requisites of a TRecBank as labelled edit boxes, one row each, top to bottom in
// the order of the record's fields as the editors list them; that is also their tab order.
class TBankFields {
public:
    // Adds the rows to the grid; the edit boxes belong to `parent`.
    TBankFields(QWidget* parent, QGridLayout* grid, int editWidth);

    void Show(const TRecBank& rec);
    // Every text trimmed of surrounding blanks.
    void Read(TRecBank& rec) const;
    // Kinds without requisites: empty and closed to input.
    void ClearAndDisable();

    // Puts the boxes, top to bottom, next in the tab order after `after`; returns the last.
    QWidget* ChainTabOrder(QWidget* after);

    const QList<QLineEdit*>& Edits() const { return m_edits; }

private:
    QList<QLineEdit*> m_edits;
};
