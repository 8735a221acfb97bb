#include "bank_fields.h"

#include "controls.h"
#include "form_load.h"
#include "number_box.h"
#include "rec_bank.h"
#include "requisites_check.h"
#include "user_interaction.h"
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
    m_shown.clear();
    for (qsizetype i = 0; i < m_edits.size(); ++i) {
        m_edits[i]->setText(rec.*kFields[i].member);
        m_edits[i]->setCursorPosition(0); // a long name shows its beginning
        m_shown << m_edits[i]->text().trimmed();
    }
    m_storedEdoID = rec.EdoID;
}

QLineEdit* TBankFields::edit(const char* name) const {
    for (QLineEdit* e : m_edits)
        if (e->objectName() == QLatin1String(name)) return e;
    return nullptr;
}

bool TBankFields::changed(QLineEdit* box) const {
    const qsizetype i = m_edits.indexOf(box);
    return box->isEnabled() && box->text().trimmed() != m_shown.value(i);
}

// An existing record whose stored values were never valid still opens and saves: only what the
// person typed is checked. The account's key is checked when the account or the БИК changed.
QLineEdit* TBankFields::RefusedChange() const {
    using namespace kovrel::requisites;
    QLineEdit* inn = edit("EdInn");
    QLineEdit* kpp = edit("EdKpp");
    QLineEdit* bik = edit("EdBik");
    QLineEdit* rs = edit("EdRs");
    QLineEdit* ks = edit("EdKs");
    const auto text = [](const QLineEdit* box) { return box->text().trimmed(); };
    const std::pair<QLineEdit*, QString> checks[] = {
        {inn, changed(inn) ? InnProblem(text(inn)) : QString()},
        {kpp, changed(kpp) ? KppProblem(text(kpp)) : QString()},
        {bik, changed(bik) ? BikProblem(text(bik)) : QString()},
        {rs, changed(rs) ? AccountProblem(text(rs), QStringLiteral("Расчетный счет")) : QString()},
        {ks, changed(ks) ? AccountProblem(text(ks), QStringLiteral("Корр.счет")) : QString()},
        {rs, changed(rs) || changed(bik) ? SettlementKeyProblem(text(rs), text(bik)) : QString()},
    };
    for (const auto& [box, problem] : checks) {
        if (problem.isEmpty()) continue;
        ShowInfo(problem);
        MarkRefused(box, problem);
        return box;
    }
    return nullptr;
}

void TBankFields::Read(TRecBank& rec) const {
    for (qsizetype i = 0; i < m_edits.size(); ++i)
        rec.*kFields[i].member = m_edits[i]->text().trimmed();
}

bool TBankFields::Send(const TRecBank& rec, const TSendChange& change) {
    if (!change([&rec](TFormLoad& fl) { return fl.UpdateBank(rec); })) return false;
    if (rec.EdoID == m_storedEdoID) return true;
    if (!change([&rec](TFormLoad& fl) { return fl.UpdateEdoID(rec.ID, rec.EdoID); })) return false;
    m_storedEdoID = rec.EdoID;
    return true;
}

void TBankFields::ClearAndDisable() {
    for (QLineEdit* edit : m_edits) {
        edit->clear();
        edit->setEnabled(false);
    }
}
