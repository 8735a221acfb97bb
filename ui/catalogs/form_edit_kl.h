#pragma once

#include "editor_window.h"
#include "rec_bank.h"
#include "rec_klient.h"
#include "rec_store_rights.h"
#include "record_list.h"

#include <memory>

class QComboBox;
class QLineEdit;
class QListWidget;
class QTabWidget;
class TBankFields;

// The editor of every entry kept as a TRecKlient: buyers and suppliers, bank accounts and cash
// desks, overheads, investments, stores, the own organization and managers. The kind decides
// the caption, the tabs shown and how the entry is saved: buyers, suppliers and the own
// organization carry requisites, buyers and suppliers a manager, a store the access of each
// user of the account (unchecked none, checked full, grayed reports only).
class TFormEditKl final : public TEditorWindow {
    Q_OBJECT
public:
    TFormEditKl(QWidget* owner, TRecKlient& rec);
    ~TFormEditKl() override;

    TRecKlient& LocalRec;
    std::unique_ptr<TRecBank> BankRec;
    RecordList<TRecStoreRights> ListSR;

    QLineEdit* EdName = nullptr;
    QLineEdit* EdPrim = nullptr;
    QTabWidget* PControl = nullptr;
    QWidget* TSAtrib = nullptr;
    QWidget* TSRight = nullptr;
    QWidget* TSManager = nullptr;
    QListWidget* CLBRight = nullptr;
    QComboBox* ComBoxManager = nullptr;

    // The window caption of a kind; empty for a kind this editor does not know.
    static QString Caption(int typeKl);

protected:
    bool Save() override;

private:
    void buildTopPanel(QWidget* panel);
    void buildPages();
    void FormCreate();
    void fillManagers();
    void fillStoreRights();
    void readControls();
    bool insertRecord();
    bool updateRecord();
    // The requisites after the entry itself, for every kind but stores and managers.
    bool sendRequisites();

    std::unique_ptr<TBankFields> m_bank;
    bool m_sendRequisites = true;
    bool m_managersRead = true;
};
