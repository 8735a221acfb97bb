#pragma once

#include "editor_dialog.h"
#include "rec_money.h"

class QLabel;
class QLineEdit;
class QPushButton;
class TDatePicker;
class TSelectionSlot;

// The money operation editor: who pays whom, when, how much, and the receipt or waybill and the
// order the payment settles. Works on the caller's record and stores it with "Сохранить",
// which closes the window only when the service took it; nothing is stored before. Without the
// full right to money operations, or past the user's days lock, the window only shows the
// operation. The amount must be a number and a link a document number, or the save is refused
// naming the field. A save whose outcome is unknown (no answer came) closes the window, so that
// the journal, reading its operations again, shows whether it is there; saving it again here
// could store a payment twice. Escape and the close box ask before typed changes go.
class TFormEditMoney : public TEditorDialog {
    Q_OBJECT
public:
    TFormEditMoney(QWidget* owner, TSelectionSlot& slot, TRecMoney& rec);

    // Shows the editor modally on the record; QDialog::Accepted after a successful save.
    static int Execute(QWidget* owner, TSelectionSlot& slot, TRecMoney& rec);

    void FormCreate();
    void ButSelIClick();
    void ButSelPClick();
    void ButSaveClick();
    void ButCancelClick();
    // Copies the boxes into the record and stores it; true when the service took it.
    bool SaveRec();

    TRecMoney& LocalRec;

    QPushButton* ButSelI = nullptr;
    QLabel* LabI = nullptr;
    QPushButton* ButSelP = nullptr;
    QLabel* LabP = nullptr;
    TDatePicker* DTPDat = nullptr;
    QLineEdit* EdSumM = nullptr;
    QLineEdit* EdPrim = nullptr;
    QLineEdit* EdDocN = nullptr;
    QLineEdit* EdInvoiceN = nullptr;
    QPushButton* ButCancel = nullptr;
    QPushButton* ButSave = nullptr;

    static const QString kNoParties;

protected:
    void SaveClick() override { ButSaveClick(); }

private:
    void buildWindow();
    // The counterparty picker with its kind list free; its choice (or nothing) becomes the party.
    void pickParty(int TRecMoney::*id, QString TRecMoney::*name, QLabel* label);

    TSelectionSlot& m_slot;
};
