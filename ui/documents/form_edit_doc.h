#pragma once

#include "doc_family.h"
#include "doc_print_data.h"
#include "editor_dialog.h"
#include "rec_bank.h"
#include "rec_doc.h"
#include "rec_doc_item.h"
#include "record_list.h"
#include "sorted_list.h"

#include <QVariant>

#include <memory>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class StringGrid;
class TDatePicker;
class TSelectionSlot;
class TStatusBar;

// The editor of a goods document: a sales waybill, receipt, order or internal transfer, as its
// TDocFamily says. It works straight against the service: the header is stored at "Сохранить"
// or when the first line is added, each line the moment it is added, changed or deleted. The
// lines grid shows the lines of the last LoadItems, which runs after opening and after every
// change of a line, whatever its outcome, so a refusal by the service leaves the grid showing
// what the service holds.
//
// The record belongs to the caller, who reloads its journal when the editor closes. Without the
// kind's full-access right, or for a document older than the user's days lock, the editor
// opens read-only: the document can be looked at, printed and left.
//
// Lines that cannot be read leave the grid as it was, the status bar saying why. A change whose
// outcome is unknown (no answer came) is followed by reading the document again, so the window
// shows what the service holds; a new document whose header may or may not have been stored is
// left for the journal to show. Escape and the close box ask before unsaved header changes go
// (TEditorDialog); deleting a line asks first.
class TFormEditDoc : public TEditorDialog {
    Q_OBJECT
public:
    ~TFormEditDoc() override;

    const TDocFamily& Family() const { return m_family; }

    // ---- Handlers ----
    void ButSaveClick();
    void ButCancelClick();
    void ButSelIClick(); // first header row
    void ButSelPClick(); // second header row
    void ButInsItemClick();
    void ButEditItemClick(); // also the grid's double click
    void ButDelItemClick();
    void ButPrintClick();
    // Sales waybills: the УПД's XML e-document into a folder the user chooses.
    void ButUpdXmlClick();

    // ---- Operations ----
    // Stores the header (insert when new, update otherwise); closes with OK on success when asked.
    // True when the service stored it.
    bool SaveZag(bool closeAfter);
    // False when the lines could not be read: the grid keeps what it showed.
    bool LoadItems();
    // What the lines are worth at the grid's prices, as LabTotal shows it.
    double LinesTotal() const;
    // Adds the goods item as a line of quantity 0 and opens the line editor on it.
    void NewItem(int goodsID, double cenR, double cenZ);
    void DropItem();

    // ---- Printing ----
    // The report template of the print list's current entry.
    QString PrintForm() const;
    // What the print forms read: the header as last stored or picked, the lines in the grid's
    // order and the requisites read by the last "Печать"; a view over the editor's state.
    TDocPrintData PrintData() const;
    // Its two data sources: a header variable (DSetZag) and a variable of the line at `index`
    // in the grid's order (DSetItems).
    QVariant DSetZagGetValue(const QString& name) const;
    QVariant DSetItemsGetValue(const QString& name, int index) const;

    TRecDoc& LocalRec;
    RecordList<TRecDocItem> ListItems;
    TSortedList<TRecDocItem> ListItemsSort;
    std::unique_ptr<TRecBank> BankRecKl;
    std::unique_ptr<TRecBank> BankRecOrg;

    // ---- Controls ----
    QPushButton* ButSelI = nullptr; // named after the family's first row ("ButSelStore", …)
    QPushButton* ButSelP = nullptr; // and its second
    QLabel* LabI = nullptr;
    QLabel* LabP = nullptr;
    TDatePicker* DTPDat = nullptr;
    QLabel* LabNumber = nullptr; // the document's number beside the date
    QLabel* LabTotal = nullptr;  // the lines' total beside "Сохранить"
    QLineEdit* EdPrim = nullptr;
    QPushButton* ButInsItem = nullptr;
    QPushButton* ButEditItem = nullptr;
    QPushButton* ButDelItem = nullptr;
    QPushButton* ButLoadExcel = nullptr; // receipts only
    QPushButton* ButUpdXml = nullptr;    // sales waybills only
    QPushButton* ButPrint = nullptr;
    QComboBox* ComBoxPrint = nullptr;
    StringGrid* SGItems = nullptr;
    TStatusBar* SBarInfo = nullptr;
    QPushButton* ButSave = nullptr;
    QPushButton* ButCancel = nullptr;

    static constexpr int kListCapacity = 2048;
    static const QString kDeleteLineQuestion; // "%1" stands for the goods name

protected:
    TFormEditDoc(QWidget* owner, const TDocFamily& family, TSelectionSlot& slot, TRecDoc& rec);
    void SaveClick() override { ButSaveClick(); }

    // True when the editing controls are enabled (the user may change the document).
    bool Editable() const { return m_editable; }

private:
    // False with the guard's message shown when a store the lines need is missing.
    bool StoresChosen(const QString& guard);
    void buildWindow();
    QWidget* buildHeader();
    QWidget* buildFooter();
    void FormCreate();
    // The header's fields as LocalRec holds them.
    void showHeader();
    void showNumber();
    // The header and the lines as the service holds them, after a change whose outcome is
    // unknown; false when they could not be read.
    bool rereadDocument();
    void selectParty(const TPartyRow& row, QLabel* label);
    void fillGrid();
    // The line of the grid's current row, or null when there is none.
    TRecDocItem* currentLine() const;
    bool protectedLine(const TRecDocItem& line) const;
    // The stored header names other stores than the editor: the next line must not go to it.
    bool storesChangedSinceStored();
    void rememberStoredStores();
    // The line's grid texts, columns 1 to 4.
    QStringList lineCells(const TRecDocItem& line) const;
    kovrel::Money lineSum(const TRecDocItem& line) const;

    const TDocFamily& m_family;
    TSelectionSlot& m_slot;
    TStockStores m_storedStores;
    bool m_editable = true;
};
