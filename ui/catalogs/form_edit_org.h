#pragma once

#include "editor_window.h"
#include "rec_bank.h"

#include <memory>

class TBankFields;

// The editor of the own organization's requisites, kept by the service under one fixed
// identifier. They are always sent whole with UpdateBank; there is no separate insert.
class TFormEditOrg final : public TEditorWindow {
    Q_OBJECT
public:
    TFormEditOrg(QWidget* owner, int id);
    ~TFormEditOrg() override;

    const int LocalID;
    std::unique_ptr<TRecBank> BankRec;

    TBankFields& Fields() { return *m_bank; }

protected:
    bool Save() override;

private:
    void FormCreate();

    std::unique_ptr<TBankFields> m_bank;
};
