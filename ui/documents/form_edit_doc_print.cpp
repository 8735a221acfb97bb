// Printing of the goods-document editor: the requisites read for the forms, the choice of form,
// and the two data sources the forms read over the editor's state (doc_print_data.h).
#include "doc_forms.h"
#include "doc_print_forms.h"
#include "form_edit_doc.h"
#include "server_wait.h"

#include <QComboBox>

void TFormEditDoc::ButPrintClick() {
    {
        TServerWait wait(*SBarInfo, 0);
        TFormLoad fl;
        TDocPrintData::ReadRequisites(fl, m_family.kind, LocalRec, BankRecOrg, BankRecKl);
    }
    if (DocPrintForms()) DocPrintForms()(this, PrintData(), PrintForm());
}

QString TFormEditDoc::PrintForm() const {
    return DocForms::printedForm(m_family.kind, ComBoxPrint->currentIndex());
}

TDocPrintData TFormEditDoc::PrintData() const {
    std::vector<const TRecDocItem*> lines;
    lines.reserve(static_cast<size_t>(ListItemsSort.Count()));
    for (int i = 0; i < ListItemsSort.Count(); ++i)
        lines.push_back(ListItemsSort.Objects(i));
    return TDocPrintData(m_family.kind, LocalRec, std::move(lines), BankRecOrg.get(), BankRecKl.get());
}

QVariant TFormEditDoc::DSetZagGetValue(const QString& name) const {
    return PrintData().DSetZagGetValue(name);
}

QVariant TFormEditDoc::DSetItemsGetValue(const QString& name, int index) const {
    return PrintData().DSetItemsGetValue(name, index);
}
