#include "bank_fields.h"

#include "controls.h"
#include "fresh_request.h"
#include "rec_bank.h"
#include "window_frame.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

struct Field {
    const char* label;
    const char* edit;
    QString TRecBank::*member;
};

const Field kFields[] = {
    {"Полное наимен.", "EdFullName", &TRecBank::Name},
    {"Банк", "EdBName", &TRecBank::BName},
    {"Расчетный счет", "EdRs", &TRecBank::Rs},
    {"Корр.счет", "EdKs", &TRecBank::Ks},
    {"БИК", "EdBik", &TRecBank::Bik},
    {"ИНН", "EdInn", &TRecBank::Inn},
    {"КПП", "EdKpp", &TRecBank::Kpp},
    {"Адрес", "EdAdres", &TRecBank::Adres},
    {"Телефон", "EdTel", &TRecBank::Tel},
    {"ОГРН", "EdOgrn", &TRecBank::Ogrn},
    {"ОКПО", "EdOkpo", &TRecBank::Okpo},
    {"ОКПД", "EdOkpd", &TRecBank::Okpd},
    {"Руководитель", "EdDir", &TRecBank::Dir},
    {"Глав. бухгалтер", "EdGBuh", &TRecBank::GBuh},
    {"Идентификатор участника ЭДО", "EdEdoID", &TRecBank::EdoID},
};

} // namespace

TBankFields::TBankFields(QWidget* parent, QGridLayout* grid, int editWidth) {
    for (const Field& f : kFields) {
        QLineEdit* edit = MakeEdit(parent, f.edit, editWidth);
        QLabel* label = AddLabelledRow(grid, QString::fromUtf8(f.label), edit);
        // The participant ID's label is longer than the column of the others: it takes two lines.
        if (f.member == &TRecBank::EdoID) label->setWordWrap(true);
        m_edits << edit;
    }
}

QWidget* TBankFields::ChainTabOrder(QWidget* after) {
    for (QLineEdit* edit : m_edits) {
        QWidget::setTabOrder(after, edit);
        after = edit;
    }
    return after;
}

void TBankFields::Show(const TRecBank& rec) {
    for (qsizetype i = 0; i < m_edits.size(); ++i) {
        m_edits[i]->setText(rec.*kFields[i].member);
        m_edits[i]->setCursorPosition(0); // a long name shows its beginning
    }
    m_storedEdoID = rec.EdoID;
}

void TBankFields::Read(TRecBank& rec) const {
    for (qsizetype i = 0; i < m_edits.size(); ++i)
        rec.*kFields[i].member = m_edits[i]->text().trimmed();
}

bool TBankFields::Send(const TRecBank& rec) {
    if (!ChangeOnFreshRequest([&rec](TFormLoad& fl) { return fl.UpdateBank(rec); })) return false;
    if (rec.EdoID == m_storedEdoID) return true;
    if (!ChangeOnFreshRequest([&rec](TFormLoad& fl) { return fl.UpdateEdoID(rec.ID, rec.EdoID); }))
        return false;
    m_storedEdoID = rec.EdoID;
    return true;
}

void TBankFields::ClearAndDisable() {
    for (QLineEdit* edit : m_edits) {
        edit->clear();
        edit->setEnabled(false);
    }
}
