#include "form_edit_money.h"

#include "access_checks.h"
#include "controls.h"
#include "date_picker.h"
#include "form_load.h"
#include "fresh_request.h"
#include "number_box.h"
#include "number_text.h"
#include "right_codes.h"
#include "selection_slot.h"
#include "user_interaction.h"
#include "window_frame.h"
#include "window_seams.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kClientWidth = 484;
constexpr int kClientHeight = 321;
constexpr int kFontPixels = 13;
constexpr int kPickWidth = 150;
constexpr int kButtonWidth = 120;
constexpr int kEditWidth = 300;
constexpr int kNumberWidth = 120;

} // namespace

const QString TFormEditMoney::kNoParties =
    QStringLiteral("Необходимо указать отправителя и получателя денег !");

TFormEditMoney::TFormEditMoney(QWidget* owner, TSelectionSlot& slot, TRecMoney& rec)
    : TEditorDialog(owner)
    , LocalRec(rec)
    , m_slot(slot) {
    setObjectName(QStringLiteral("FormEditMoney"));
    buildWindow();
    FormCreate();
}

int TFormEditMoney::Execute(QWidget* owner, TSelectionSlot& slot, TRecMoney& rec) {
    TFormEditMoney window(owner, slot, rec);
    return window.exec();
}

void TFormEditMoney::buildWindow() {
    FrameWindow(this, QStringLiteral("Операция с деньгами"), {kClientWidth, kClientHeight}, kFontPixels);
    ButSelI = MakeButton(this, "ButSelI", QStringLiteral("Выбор отправителя"), kPickWidth);
    LabI = MakeLabel(this, QString(), "LabI");
    ButSelP = MakeButton(this, "ButSelP", QStringLiteral("Выбор получателя"), kPickWidth);
    LabP = MakeLabel(this, QString(), "LabP");
    DTPDat = MakeDatePicker(this, "DTPDat");
    EdSumM = MakeEdit(this, "EdSumM", kNumberWidth);
    EdPrim = MakeEdit(this, "EdPrim", kEditWidth);
    EdDocN = MakeEdit(this, "EdDocN", kNumberWidth);
    EdInvoiceN = MakeEdit(this, "EdInvoiceN", kNumberWidth);
    ButCancel = MakeButton(this, "ButCancel", QStringLiteral("Отменить"), kButtonWidth);
    ButSave = MakeButton(this, "ButSave", QStringLiteral("Сохранить"), kButtonWidth);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->addWidget(ButSelI, 0, 0);
    grid->addWidget(LabI, 0, 1);
    grid->addWidget(ButSelP, 1, 0);
    grid->addWidget(LabP, 1, 1);
    AddLabelledRow(grid, QStringLiteral("Дата"), DTPDat);
    AddLabelledRow(grid, QStringLiteral("Сумма"), EdSumM);
    AddLabelledRow(grid, QStringLiteral("Примечание"), EdPrim);
    AddLabelledRow(grid, QStringLiteral("Номер накладной"), EdDocN);
    AddLabelledRow(grid, QStringLiteral("Номер заказа (счета)"), EdInvoiceN);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButCancel);
    buttons->addStretch(1);
    buttons->addWidget(ButSave);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(ButSelI, &QPushButton::clicked, this, &TFormEditMoney::ButSelIClick);
    connect(ButSelP, &QPushButton::clicked, this, &TFormEditMoney::ButSelPClick);
    connect(ButSave, &QPushButton::clicked, this, &TFormEditMoney::ButSaveClick);
    connect(ButCancel, &QPushButton::clicked, this, &TFormEditMoney::ButCancelClick);
}

void TFormEditMoney::FormCreate() {
    const bool editable =
        CheckRight(Right::MoneyFull, false) && CheckDocAge(Right::MoneyLock, false, LocalRec.DocDate);
    for (QWidget* w : std::initializer_list<QWidget*>{ButSelI, ButSelP, DTPDat, EdSumM, EdPrim, EdDocN,
                                                      EdInvoiceN, ButSave})
        w->setEnabled(editable);
    LabI->setText(LocalRec.KlientNameI);
    LabP->setText(LocalRec.KlientNameP);
    DTPDat->SetDate(LocalRec.DocDate);
    EdSumM->setText(FormatFixed(2, LocalRec.SumM));
    EdPrim->setText(LocalRec.Prim);
    EdDocN->setText(QString::number(LocalRec.DocN));
    EdInvoiceN->setText(QString::number(LocalRec.InvoiceN));
    WatchInputs({LabI, LabP, DTPDat, EdSumM, EdPrim, EdDocN, EdInvoiceN});
}

void TFormEditMoney::pickParty(int TRecMoney::*id, QString TRecMoney::*name, QLabel* label) {
    WindowSeams().FormListKl(this, m_slot, 0, true);
    LocalRec.*id = m_slot.SelID;
    LocalRec.*name = m_slot.SelName;
    label->setText(m_slot.SelName);
}

void TFormEditMoney::ButSelIClick() {
    pickParty(&TRecMoney::KlientIDI, &TRecMoney::KlientNameI, LabI);
}

void TFormEditMoney::ButSelPClick() {
    pickParty(&TRecMoney::KlientIDP, &TRecMoney::KlientNameP, LabP);
}

void TFormEditMoney::ButSaveClick() {
    if (LocalRec.KlientIDP <= 0 || LocalRec.KlientIDI <= 0) {
        ShowInfo(kNoParties);
        return;
    }
    if (SaveRec()) accept();
}

void TFormEditMoney::ButCancelClick() {
    Discard();
}

// An empty link box keeps the link (only a typed 0 removes it); any other text that is not a
// document number is refused, as is an amount that is not a number.
bool TFormEditMoney::SaveRec() {
    const std::optional<double> sum = ReadNumberBox(EdSumM, QStringLiteral("Сумма"));
    if (!sum) return false;
    const std::optional<int> docN =
        ReadNumberLinkBox(EdDocN, QStringLiteral("Номер накладной"), LocalRec.DocN);
    if (!docN) return false;
    const std::optional<int> invoiceN =
        ReadNumberLinkBox(EdInvoiceN, QStringLiteral("Номер заказа (счета)"), LocalRec.InvoiceN);
    if (!invoiceN) return false;
    LocalRec.DocDate = DTPDat->Date();
    LocalRec.SumM = *sum;
    LocalRec.Prim = EdPrim->text().trimmed();
    LocalRec.DocN = *docN;
    LocalRec.InvoiceN = *invoiceN;
    const TChange stored = ChangeOnFreshRequest(
        [this](TFormLoad& fl) {
            return LocalRec.ID < 1 ? fl.InsertMoney(LocalRec) : fl.UpdateMoney(LocalRec);
        },
        nullptr, 0, [] { return true; }); // the journal reads its operations as the window closes
    if (stored.unknown) Discard();
    return stored;
}
