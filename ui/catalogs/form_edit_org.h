#pragma once

#include "editor_window.h"
#include "rec_bank.h"

#include <memory>

class TBankFields;

// The editor of the own organization's requisites, kept by the service under one fixed
// identifier. They are always sent whole with UpdateBank; there is no separate insert. A changed
// ИНН, КПП, БИК or account that is not one is refused before anything is sent.
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
    // The requisites as the service holds them; false when they could not be read.
    bool reread();

    std::unique_ptr<TBankFields> m_bank;
};
