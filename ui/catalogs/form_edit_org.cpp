#include "form_edit_org.h"

#include "bank_fields.h"
#include "fresh_request.h"

#include <QGridLayout>

TFormEditOrg::TFormEditOrg(QWidget* owner, int id)
    : TEditorWindow(owner, QStringLiteral("Редактирование своей организации"), {484, 561})
    , LocalID(id) {
    QGridLayout* grid = FieldsOverButtons(50);
    grid->setVerticalSpacing(3);
    m_bank = std::make_unique<TBankFields>(grid->parentWidget(), grid, kEditWidth);
    FormCreate();
}

TFormEditOrg::~TFormEditOrg() = default;

void TFormEditOrg::FormCreate() {
    BankRec = std::make_unique<TRecBank>();
    BankRec->ID = LocalID;
    if (LocalID > 0) BankRec = OnFreshRequest([this](TFormLoad& fl) { return fl.SelectBank(LocalID); });
    m_bank->Show(*BankRec);
}

bool TFormEditOrg::Save() {
    m_bank->Read(*BankRec);
    BankRec->ID = LocalID;
    return OnFreshRequest([this](TFormLoad& fl) { return fl.UpdateBank(*BankRec); });
}
