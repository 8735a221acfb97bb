#pragma once

#include "form_list_of.h"
#include "rec_klient.h"

class QComboBox;

// The counterparty picker, "Выбор счета": the counterparties of the kind chosen in the kind
// filter under the search box. The choice leaves the name, the ID and the kind in the
// selection slot.
class TFormListKl final : public TFormListOf<TRecKlient> {
    Q_OBJECT
public:
    TFormListKl(QWidget* owner, TSelectionSlot& slot);

    // Callers set the kind filter before showing the picker. Another entry than the one listed
    // lists again, so that what is shown and the kind a choice reports always agree.
    void SetKindFilter(int index, bool enabled);

    void ComBoxTypeKlClick();

    QComboBox* ComBoxTypeKl = nullptr;

protected:
    void Query(TFormLoad& fl, RecordList<TRecKlient>& list, const QString& filter) override;
    void Listed() override;
    QStringList Cells(const TRecKlient& rec) const override { return {rec.Name}; }
    void Choose(const TRecKlient& rec) override;

private:
    void FormCreate();
    int kind() const;

    int m_listedIndex = -1;
};
