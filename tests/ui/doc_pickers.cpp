#include "doc_pickers.h"

#include "form_list.h"
#include "string_grid.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

ModalScript::Step ChooseInPicker(const QString& name) {
    return [name](QWidget* window) {
        auto* picker = ModalScript::As<TFormList>(window);
        if (!picker) return;
        picker->EdFind->setText(name);
        StringGrid* g = picker->SGList;
        for (int r = g->FixedRows(); r < g->RowCount(); ++r) {
            if (g->Cells(0, r) != name) continue;
            g->SetRow(r);
            picker->ButSel->click();
            return;
        }
        QTest::qFail(qPrintable(QStringLiteral("the picker lists no %1").arg(name)), __FILE__, __LINE__);
        picker->reject();
    };
}

DocPickers::DocPickers() {
    TWindowSeams& w = WindowSeams();
    w.FormListStore = [this](QWidget*, TSelectionSlot& slot) {
        ++storesAsked;
        return answer(stores, slot);
    };
    w.FormListKl = [this](QWidget*, TSelectionSlot& slot, int typeIndex, bool typeEnabled) {
        klientKindsAsked.append({typeIndex, typeEnabled});
        return answer(klients, slot);
    };
    w.FormListGood = [this](QWidget*, TSelectionSlot& slot, const TListGoodArgs& args) {
        goodsAsked.append(args);
        return answer(goods, slot);
    };
}

int DocPickers::answer(QList<Choice>& queue, TSelectionSlot& slot) {
    slot.ClearSelection();
    if (queue.isEmpty()) {
        QTest::qFail("a picker opened that the test did not expect", __FILE__, __LINE__);
        return QDialog::Rejected;
    }
    const Choice c = queue.takeFirst();
    if (!c.ok) return QDialog::Rejected;
    slot.SelName = c.name;
    slot.SelID = c.id;
    slot.SelCenR = c.cenR;
    slot.SelCenZ = c.cenZ;
    return QDialog::Accepted;
}
