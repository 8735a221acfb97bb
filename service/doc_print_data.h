#pragma once

#include "goods_doc_kind.h"
#include "money.h"
#include "rec_bank.h"
#include "rec_doc.h"
#include "rec_doc_item.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <optional>
#include <vector>

// What a goods document's print forms read, and the forms' two data sources: DSetZag, the
// header (one record), and DSetItems, one record per line. A view over a document that its
// editor or a stored-document reader holds: the header as last stored or picked, the lines in
// the editor's order and the requisites read for printing. Texts are text, "n" and
// "max_num_str" integers, "dat" a date, figures doubles of whole kopecks (line sums rounded,
// totals the sums of the rounded lines); a variable the kind's forms do not have is invalid.
//
// Beside the raw requisites (a dash for whatever is missing or could not be read) the header
// answers the parties as the papers print them: "kl_name" falls back to the document's own
// counterparty name, "org_inn_kpp"/"kl_inn_kpp" ("7703123457/770301001", a sole trader's
// twelve digits alone), "org_requisites"/"kl_requisites" (name, codes, address, bank, missing
// parts left out), and the VAT invoice's signatures ("sf_dir", "sf_gb", "sf_ip",
// "sf_ip_ogrn"), which tell an organization from a sole trader. The УПД adds its status
// ("upd_status"), the seller's people of its transfer part ("upd_pass_post", "upd_pass_name",
// "upd_resp_post", "upd_resp_name") and each party's name with its codes
// ("org_name_inn_kpp", "kl_name_inn_kpp"). A line's unit prints as its ОКЕИ code and symbol
// ("unit_code", "unit_name"), a dash without one.
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
    // What lines first..last add up to in a line field ("kol", "summ", "sum_not_nds",
    // "sum_nds", "mest"): a page's totals.
    QVariant DSetItemsTotal(const QString& name, int first, int last) const;

    // Totals over every line, kit lines and their components included.
    double GetItKol() const;
    double GetItKolPack() const;
    double GetItSum() const;
    double GetItSumNotNds() const;
    double GetItSumNds() const;

    // A line's sum at the kind's price, and its figures with VAT at its sale price.
    kovrel::Money LineSum(const TRecDocItem& line) const;
    // The places (packs) of lines first..last, when every one of them has a pack size.
    std::optional<double> Places(int first, int last) const;
    // True when the seller's ИНН has twelve digits: a sole trader.
    bool SellerIsSoleTrader() const;
    // True when some line carries VAT.
    bool AnyVat() const;
    // The УПД's status: the one asked for, else 1 (a VAT invoice too) when a line carries VAT
    // and 2 (a transfer document only) when none does.
    int UpdStatus() const;
    void SetUpdStatus(std::optional<int> status) { m_updStatus = status; }
    // The same document without the component lines of its kits: what was sold, each line with
    // a price. The УПД, paper and XML alike, lists these.
    TDocPrintData WithoutKitComponents() const;

    // Reads what the kind's forms print of the parties: the counterparty's requisites for sales
    // and orders, the own organization's for them and for transfers. What the service does not
    // have prints as dashes; when a read fails (fl says why) nothing should be printed.
    static void ReadRequisites(TFormLoad& fl, const TGoodsDocKind& kind, const TRecDoc& rec,
                               std::unique_ptr<TRecBank>& org, std::unique_ptr<TRecBank>& kl);

private:
    struct Totals {
        kovrel::LineFigures figures;
        kovrel::Quantity kol;
        double kolPack = 0;
    };
    Totals totals(int first, int last) const;

    const TGoodsDocKind& m_kind;
    const TRecDoc& m_rec;
    std::vector<const TRecDocItem*> m_lines;
    const TRecBank* m_org;
    const TRecBank* m_kl;
    std::optional<int> m_updStatus;
};
