#pragma once

#include "doc_family.h"
#include "editor_dialog.h"
#include "rec_doc_item.h"

#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

// The line editor of a goods document: quantity in units or in packs (the two boxes follow
// each other) and the price, checked against the stock of the document's store (or both stores
// of a transfer) as it was when the window opened, then stored with the kind's line update.
// The line exists on the service before the editor opens, so the editor only ever updates it.
// Closes with OK after a stored change; a refused or failed save keeps the window open with
// what the user typed. A box that holds no number is refused, naming it, before anything is
// sent. A save whose outcome is unknown (no answer came) reads the line again, so the window
// shows what the service holds. Escape and the close box ask before typed changes go.
class TFormEditDocItem : public TEditorDialog {
    Q_OBJECT
public:
    ~TFormEditDocItem() override;

    // ---- Handlers ----
    void EdKolChange();     // the units box, while the user types in it
    void EdKolPackChange(); // the packs box, likewise
    void ButSaveClick();
    void ButCancelClick();

    // ---- Operations ----
    // Reads the line again with its stock and remembers what it held on opening; false when it
    // could not be read (the line handed in is shown then).
    bool LoadRec();
    // Checks the stock rules and stores the line; true when stored.
    bool SaveRec();

    // The line being edited: the fresh copy read on opening, or the record handed in when the
    // service returned none.
    TRecDocItem* LocalRec = nullptr;
    const TStockStores SelCodeStore; // the stock store, and a transfer's receiving store
    double OldKol = 0;
    double OldOstI = 0;
    double OldOstP = 0;
    double OldCenZ = 0;

    QLabel* LabName = nullptr;
    QLabel* LabPack = nullptr;
    std::vector<QLabel*> LabOst; // LabOstI, and LabOstP of a transfer
    QLineEdit* EdKol = nullptr;
    QLineEdit* EdKolPack = nullptr;
    QLineEdit* EdCen = nullptr;
    QPushButton* ButCancel = nullptr;
    QPushButton* ButSave = nullptr;

protected:
    TFormEditDocItem(QWidget* owner, const TDocFamily& family, TStockStores stores, TRecDocItem& rec);
    void SaveClick() override { ButSaveClick(); }

private:
    void buildWindow();
    void FormCreate();
    bool rereadLine();
    // The line's texts and what it holds now, as the check on saving compares with.
    void showLine();
    double oldOst(size_t side) const { return side == 0 ? OldOstI : OldOstP; }
    QString stockText(size_t side) const;
    double& price() { return LocalRec->*m_family.kind.price; }

    const TDocFamily& m_family;
    TRecDocItem& m_handed;
    std::unique_ptr<TRecDocItem> m_fresh;
};
