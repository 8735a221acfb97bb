#include "form_list_kl.h"

#include "controls.h"
#include "selection_slot.h"

#include <QComboBox>
#include <QGridLayout>

namespace {
constexpr int kKindBoxWidth = 199;
} // namespace

TFormListKl::TFormListKl(QWidget* owner, TSelectionSlot& slot)
    : TFormListOf(owner, slot, QStringLiteral("Выбор счета"), {384, 611}, 80) {
    setObjectName(QStringLiteral("FormListKl"));
    ComBoxTypeKl = MakeCombo(this, "ComBoxTypeKl", KlientKindTexts(), kKindBoxWidth);
    PanelGrid()->addWidget(ComBoxTypeKl, 1, 0, 1, 3, Qt::AlignLeft);
    // A choice by the user, even of the entry already shown, lists again.
    connect(ComBoxTypeKl, &QComboBox::activated, this, &TFormListKl::ComBoxTypeKlClick);
    FormCreate();
}

void TFormListKl::FormCreate() {
    Slot.SelName.clear();
    Slot.SelID = -1;
    Slot.SelGr = -1;
    SetColumns({330}, {QStringLiteral("Наименование")});
    Refresh();
}

int TFormListKl::kind() const {
    return ComBoxTypeKl->currentIndex() + 1;
}

void TFormListKl::SetKindFilter(int index, bool enabled) {
    ComBoxTypeKl->setCurrentIndex(index);
    ComBoxTypeKl->setEnabled(enabled);
    if (ComBoxTypeKl->currentIndex() != m_listedIndex) Refresh();
}

void TFormListKl::ComBoxTypeKlClick() {
    Refresh();
}

void TFormListKl::Query(TFormLoad& fl, RecordList<TRecKlient>& list, const QString& filter) {
    fl.SelectKlientList(list, filter, kind());
}

void TFormListKl::Listed() {
    m_listedIndex = ComBoxTypeKl->currentIndex();
}

// The kind of the records listed, which a failed listing of another kind leaves in place.
void TFormListKl::Choose(const TRecKlient& rec) {
    Slot.SelName = rec.Name;
    Slot.SelID = rec.ID;
    Slot.SelGr = m_listedIndex + 1;
}
