#pragma once

#include "request_failure.h"

#include <QDialog>
#include <QStringList>

#include <optional>
#include <vector>

class QGridLayout;
class QLineEdit;
class QPushButton;
class StringGrid;
class TSelectionSlot;
class TStatusBar;

// A picker: a search box over a grid of what the service returned for the search text, in key
// order, and a one-panel status bar. Every change of the search text loads again. Choosing
// ("Выбрать" or a double click) writes the current row's entry into the selection slot and
// closes with OK; with nothing listed it does nothing. Closing otherwise gives Cancel, and the
// slot keeps what opening wrote into it: nothing chosen. Down in the search box moves into the
// list, Enter there chooses.
class TFormList : public QDialog {
    Q_OBJECT
public:
    void EdFindChange();
    void ButSelClick();
    void SGListDblClick();
    // The loader.
    void Refresh();

    QLineEdit* EdFind = nullptr;
    QPushButton* ButSel = nullptr;
    StringGrid* SGList = nullptr;
    TStatusBar* SBar = nullptr;

    static constexpr int kFontPixels = 11;
    static constexpr int kIndexCapacity = 2048;

protected:
    TFormList(QWidget* owner, TSelectionSlot& slot, const QString& caption, QSize client, int panelHeight);

    TSelectionSlot& Slot;
    // The top panel's grid: row 0 holds "Поиск", the search box and "Выбрать" from the left.
    QGridLayout* PanelGrid() const { return m_panelGrid; }
    // The grid's columns, their widths and header texts.
    void SetColumns(const std::vector<int>& widths, const QStringList& headers);

    // Runs the query with the trimmed search text and keeps the allowed records in key order;
    // when the query fails, keeps what it had and gives why.
    virtual std::optional<kovrel::RequestFailure> LoadEntries(const QString& filter) = 0;
    virtual int EntryCount() const = 0;
    virtual QStringList EntryCells(int entry) const = 0;
    // Writes the entry into the selection slot.
    virtual void ChooseEntry(int entry) = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillGrid();

    QGridLayout* m_panelGrid = nullptr;
    QStringList m_headers;
};
