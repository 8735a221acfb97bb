#pragma once

#include "goods_doc_kind.h"
#include "rec_bank.h"
#include "rec_doc.h"
#include "rec_doc_item.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

// What a goods document's print forms read, and the forms' two data sources: DSetZag, the
// header (one record), and DSetItems, one record per line. A view over a document that its
// editor or a stored-document reader holds: the header as last stored or picked, the lines in
// the editor's order and the requisites read for printing. Texts are text, "n" and
// "max_num_str" integers, "dat" a date, figures doubles; a variable the kind's forms do not
// have is empty.
class TDocPrintData {
public:
    TDocPrintData(const TGoodsDocKind& kind, const TRecDoc& rec, std::vector<const TRecDocItem*> lines,
                  const TRecBank* org, const TRecBank* kl);

    const TGoodsDocKind& Kind() const { return m_kind; }
    const TRecDoc& Rec() const { return m_rec; }
    int LineCount() const { return static_cast<int>(m_lines.size()); }
    // Line `index` (0 to LineCount() − 1) in the forms' order.
    const TRecDocItem& Line(int index) const { return *m_lines[static_cast<size_t>(index)]; }
    const TRecBank* Organization() const { return m_org; } // null when not read
    const TRecBank* Klient() const { return m_kl; }

    QVariant DSetZagGetValue(const QString& name) const;
    QVariant DSetItemsGetValue(const QString& name, int index) const;

    // Totals over every line, kit lines and their components included.
    double GetItKol() const;
    double GetItKolPack() const;
    double GetItSum() const;
    double GetItSumNotNds() const;
    double GetItSumNds() const;

    // Reads what the kind's forms print of the parties: the counterparty's requisites for sales
    // and orders, the own organization's for them and for transfers. What cannot be read stays
    // null and prints as empty texts.
    static void ReadRequisites(TFormLoad& fl, const TGoodsDocKind& kind, const TRecDoc& rec,
                               std::unique_ptr<TRecBank>& org, std::unique_ptr<TRecBank>& kl);

private:
    template <class Value>
    double sum(Value value) const;

    const TGoodsDocKind& m_kind;
    const TRecDoc& m_rec;
    std::vector<const TRecDocItem*> m_lines;
    const TRecBank* m_org;
    const TRecBank* m_kl;
};
