#include "form_edit_doc_item.h"

#include "controls.h"
#include "fresh_request.h"
#include "number_box.h"
#include "number_text.h"
#include "user_interaction.h"
#include "window_frame.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kNoStock =
    QStringLiteral("Недостаточное количество товара на складе ! Остаток товара не может быть меньше нуля.");
const QString kNegativeKol = QStringLiteral("Количество не может быть отрицательным !");
const QString kNegativePrice = QStringLiteral("Цена не может быть отрицательной !");
// The service keeps quantities and prices exact only below these, and refuses the rest.
constexpr double kKolLimit = 1e9;
constexpr double kPriceLimit = 1e12;
const QString kHugeKol = QStringLiteral("Количество должно быть меньше 1 000 000 000 !");
const QString kHugePrice = QStringLiteral("Цена должна быть меньше 1 000 000 000 000 !");

// Why the service would refuse these figures, or empty.
QString figuresRefusal(double kol, double price) {
    if (kol < 0) return kNegativeKol;
    if (price < 0) return kNegativePrice;
    if (kol >= kKolLimit) return kHugeKol;
    if (price >= kPriceLimit) return kHugePrice;
    return {};
}

constexpr QSize kClientSize(384, 301);
constexpr int kFontPixels = 13;
constexpr int kEditWidth = 120;

QString qty(double value) {
    return FormatQty(1, 3, value);
}

} // namespace

TFormEditDocItem::TFormEditDocItem(QWidget* owner, const TDocFamily& family, TStockStores stores,
                                   TRecDocItem& rec)
    : TEditorDialog(owner)
    , SelCodeStore(stores)
    , m_family(family)
    , m_handed(rec) {
    buildWindow();
    FormCreate();
}

TFormEditDocItem::~TFormEditDocItem() = default;

void TFormEditDocItem::buildWindow() {
    FrameWindow(this, QStringLiteral("Редактирование"), kClientSize, kFontPixels);
    auto* layout = new QVBoxLayout(this);
    LabName = MakeLabel(this, QString(), "LabName");
    LabPack = MakeLabel(this, QString(), "LabPack");
    layout->addWidget(LabName);
    layout->addWidget(LabPack);
    for (const TStockSide& side : m_family.stock) {
        LabOst.push_back(MakeLabel(this, QString(), side.label));
        layout->addWidget(LabOst.back());
    }
    EdKol = MakeEdit(this, "EdKol", kEditWidth);
    EdKolPack = MakeEdit(this, "EdKolPack", kEditWidth);
    EdCen = MakeEdit(this, "EdCen", kEditWidth);
    auto* form = new QFormLayout;
    form->addRow(MakeLabel(this, QStringLiteral("Количество")), EdKol);
    form->addRow(MakeLabel(this, QStringLiteral("Кол-во упаковок")), EdKolPack);
    form->addRow(MakeLabel(this, m_family.priceLabel), EdCen);
    layout->addLayout(form);
    layout->addStretch(1);
    ButCancel = MakeButton(this, "ButCancel", QStringLiteral("Отменить"));
    ButSave = MakeButton(this, "ButSave", QStringLiteral("Сохранить"));
    ButSave->setDefault(true); // Enter in any box saves
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButCancel);
    buttons->addWidget(ButSave);
    layout->addLayout(buttons);
    setTabOrder(EdKol, EdKolPack);
    setTabOrder(EdKolPack, EdCen);
    setTabOrder(EdCen, ButCancel);
    setTabOrder(ButCancel, ButSave);

    // Only what the user types moves the other box: the text one box writes into the other
    // does not come back.
    connect(EdKol, &QLineEdit::textEdited, this, &TFormEditDocItem::EdKolChange);
    connect(EdKolPack, &QLineEdit::textEdited, this, &TFormEditDocItem::EdKolPackChange);
    connect(ButSave, &QPushButton::clicked, this, &TFormEditDocItem::ButSaveClick);
    connect(ButCancel, &QPushButton::clicked, this, &TFormEditDocItem::ButCancelClick);
}

void TFormEditDocItem::FormCreate() {
    LoadRec();
    WatchInputs({EdKol, EdKolPack, EdCen});
    EdKol->setFocus();
}

bool TFormEditDocItem::LoadRec() {
    bool read = false;
    {
        TFormLoad fl;
        m_fresh = m_family.ops.selectItemOne(fl, m_handed, SelCodeStore);
        read = !fl.Failed();
    }
    LocalRec = m_fresh ? m_fresh.get() : &m_handed;
    showLine();
    return read;
}

// After a save whose outcome is unknown. A line that cannot be read leaves what was typed.
bool TFormEditDocItem::rereadLine() {
    std::unique_ptr<TRecDocItem> fresh;
    {
        TFormLoad fl;
        fresh = m_family.ops.selectItemOne(fl, m_handed, SelCodeStore);
    }
    if (!fresh) return false;
    m_fresh = std::move(fresh);
    LocalRec = m_fresh.get();
    showLine();
    MarkSaved();
    return true;
}

void TFormEditDocItem::showLine() {
    OldKol = LocalRec->Kol;
    OldOstI = LocalRec->GetOstI();
    OldOstP = LocalRec->GetOstP();
    OldCenZ = LocalRec->CenZ;
    LabName->setText(QStringLiteral("Наименование: ") + LocalRec->Name);
    LabPack->setText(QStringLiteral("Упаковка: ") + qty(LocalRec->Pack));
    for (size_t side = 0; side < LabOst.size(); ++side)
        LabOst[side]->setText(stockText(side));
    EdKol->setText(qty(LocalRec->Kol));
    EdKolPack->setText(qty(LocalRec->GetKolPack()));
    EdCen->setText(FormatFixed(2, price()));
}

// "Остаток: 12 + 3 = 15" where the document takes goods from the store, "Остаток: 12 - 3 = 9"
// where it brings them: the stock the line could have without its own quantity.
QString TFormEditDocItem::stockText(size_t side) const {
    const TStockSide& s = m_family.stock.at(side);
    const double ost = oldOst(side);
    const bool out = s.flow == TStockFlow::Out;
    const double without = out ? ost + OldKol : ost - OldKol;
    return s.caption + qty(ost) + (out ? QStringLiteral(" + ") : QStringLiteral(" - ")) + qty(OldKol) +
           QStringLiteral(" = ") + qty(without);
}

void TFormEditDocItem::EdKolChange() {
    LocalRec->Kol = ParseFloatDef(EdKol->text(), LocalRec->Kol);
    EdKolPack->setText(qty(LocalRec->GetKolPack()));
}

// Without a pack size the packs box holds the units themselves, as it shows them.
void TFormEditDocItem::EdKolPackChange() {
    const double packs = ParseFloatDef(EdKolPack->text(), LocalRec->GetKolPack());
    LocalRec->Kol = kovrel::IsZero(LocalRec->Pack) ? packs : packs * LocalRec->Pack;
    EdKol->setText(qty(LocalRec->Kol));
}

// Every box must hold a number: text that is none is refused, never read as the line's old
// value or as 0. The packs box has moved the units while it was typed in.
bool TFormEditDocItem::SaveRec() {
    const std::optional<double> kol = ReadNumberBox(EdKol, QStringLiteral("Количество"));
    if (!kol || !ReadNumberBox(EdKolPack, QStringLiteral("Кол-во упаковок"))) return false;
    const std::optional<double> cen = ReadNumberBox(EdCen, m_family.priceLabel);
    if (!cen) return false;
    LocalRec->Kol = *kol;
    price() = *cen;
    if (const QString refusal = figuresRefusal(LocalRec->Kol, price()); !refusal.isEmpty()) {
        ShowInfo(refusal);
        return false;
    }
    for (size_t side = 0; side < m_family.stock.size(); ++side) {
        if (!ChangeKeepsStock(m_family.stock[side], oldOst(side), OldKol, LocalRec->Kol)) {
            ShowInfo(kNoStock);
            return false;
        }
    }
    const TChange stored = ChangeOnFreshRequest(
        [this](TFormLoad& fl) { return m_family.ops.updateItem(fl, *LocalRec, OldKol, OldCenZ); }, nullptr, 0,
        [this] { return rereadLine(); });
    return stored;
}

void TFormEditDocItem::ButSaveClick() {
    if (SaveRec()) accept();
}

void TFormEditDocItem::ButCancelClick() {
    Discard();
}
