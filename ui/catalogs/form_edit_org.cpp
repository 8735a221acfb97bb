#include "form_edit_org.h"

#include "bank_fields.h"
#include "fresh_request.h"

#include <QGridLayout>
#include <QPushButton>

TFormEditOrg::TFormEditOrg(QWidget* owner, int id)
    : TEditorWindow(owner, QStringLiteral("Редактирование своей организации"), {484, 561})
    , LocalID(id) {
    setObjectName(QStringLiteral("FormEditOrg"));
    QGridLayout* grid = FieldsOverButtons(50);
    grid->setVerticalSpacing(3);
    m_bank = std::make_unique<TBankFields>(grid->parentWidget(), grid, kEditWidth);
    FormCreate();
}

TFormEditOrg::~TFormEditOrg() = default;

void TFormEditOrg::FormCreate() {
    BankRec = std::make_unique<TRecBank>();
    BankRec->ID = LocalID;
    bool read = true;
    if (LocalID > 0)
        read = AnsweredOnFreshRequest([this](TFormLoad& fl) { BankRec = fl.SelectBank(LocalID); });
    if (read) {
        m_bank->Show(*BankRec);
        WatchAllInputs();
        return;
    }
    // Saving what could not be read would replace the requisites with blanks: the window only
    // shows that nothing came.
    m_bank->ClearAndDisable();
    ButSave->setEnabled(false);
}

// Nobody reads the own organization's requisites again after this window: a save whose outcome
// is unknown reads them into it.
bool TFormEditOrg::Save() {
    if (m_bank->RefusedChange()) return false;
    m_bank->Read(*BankRec);
    BankRec->ID = LocalID;
    return m_bank->Send(
        *BankRec, [this](const auto& change) { return bool(Change(change, [this] { return reread(); })); });
}

bool TFormEditOrg::reread() {
    std::unique_ptr<TRecBank> stored;
    if (!AnsweredOnFreshRequest([&](TFormLoad& fl) { stored = fl.SelectBank(LocalID); })) return false;
    BankRec = std::move(stored);
    m_bank->Show(*BankRec);
    MarkSaved();
    return true;
}
