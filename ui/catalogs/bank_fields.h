#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QGridLayout;
class QLineEdit;
class QWidget;
class TFormLoad;
class TRecBank;

// The fourteen requisites of a TRecBank as labelled edit boxes, one row each, top to bottom in
// the order of the record's fields as the editors list them, and below them the party's
// e-document participant ID (EdEdoID); that is also their tab order.
class TBankFields {
public:
    // Adds the rows to the grid; the edit boxes belong to `parent`.
    TBankFields(QWidget* parent, QGridLayout* grid, int editWidth);

    void Show(const TRecBank& rec);
    // Every text trimmed of surrounding blanks.
    void Read(TRecBank& rec) const;
    // ИНН, КПП, БИК and the accounts the person changed since Show (values stored before stay
    // as they are, whatever they hold): the first wrong one, its reason shown and its box
    // marked, or null when they are fine.
    QLineEdit* RefusedChange() const;
    // How the editor sends one change (its save step): true when the service carried it out.
    using TSendChange = std::function<bool(const std::function<bool(TFormLoad&)>&)>;
    // Sends the requisites read into `rec` with UpdateBank and, when it differs from the one
    // shown, the participant ID with UpdateEdoID: the service keeps it apart, and one that does
    // not know that operation is asked nothing until the ID is changed. A refusal is shown once.
    // True when everything sent was stored.
    bool Send(const TRecBank& rec, const TSendChange& change);
    // Kinds without requisites: empty and closed to input.
    void ClearAndDisable();

    // Puts the boxes, top to bottom, next in the tab order after `after`; returns the last.
    QWidget* ChainTabOrder(QWidget* after);

    const QList<QLineEdit*>& Edits() const { return m_edits; }

private:
    QLineEdit* edit(const char* name) const;
    bool changed(QLineEdit* box) const;

    QList<QLineEdit*> m_edits; // the fourteen requisites, then the participant ID
    QStringList m_shown;
    QString m_storedEdoID; // as shown, or as last stored
};
