// Report queries: each asks one to four endpoints with the same fields and gathers what they
// return into one list. The first failure ends the report; what arrived before it stays.
#include "form_load.h"
#include "reply_fields.h"
#include "wire_values.h"

#include <QHash>

#include <cstdint>
#include <vector>

namespace {

using Element = TFormLoad::Element;
using Form = TFormLoad::Form;
using kovrel::reply::k;
using kovrel::wire::CodeOrAll;
using kovrel::wire::Date;
using kovrel::wire::Flag;
using kovrel::wire::Int;
using kovrel::wire::Search;

constexpr int kStockCapacity = 8192;
constexpr int kReportCapacity = 2048;

// ---- Request fields -----------------------------------------------------------------------

// Builds a report form field by field, in the order the calls are written.
class ReportForm {
public:
    ReportForm()
        : m_form(TFormLoad::NewForm()) {}

    ReportForm& Find(const QString& selName) { return add("find_win", Search(selName)); }
    ReportForm& Period(TDateTime beginDat, TDateTime endDat) {
        return add("dat_begin", Date(beginDat)).add("dat_end", Date(endDat));
    }
    ReportForm& Dat(TDateTime dat) { return add("dat", Date(dat)); }
    ReportForm& Switch(const char* name, bool on) { return add(name, Flag(on)); }
    // Codes of stores, counterparties and managers: 0 or less asks for all ("-1").
    ReportForm& Code(const char* name, int code) { return add(name, CodeOrAll(code)); }
    // Identifiers of one goods item or one account go out as they are.
    ReportForm& Id(const char* name, int id) { return add(name, Int(id)); }

    const Form& form() const { return m_form; }

private:
    ReportForm& add(const char* name, const QString& value) {
        m_form.AddField(QString::fromLatin1(name), value);
        return *this;
    }
    Form m_form;
};

// ---- Reading ------------------------------------------------------------------------------

void readMoveGood(TRecMoveGood& r, const Element& e) {
    r.ID = e.Int(k("id"));
    r.DocID = e.Int(k("doc_id"));
    r.DocDat = e.Date(k("docdate"));
    r.KlientID = e.Int(k("id_klients"));
    r.KlientName = e.Text(k("name_klients"));
    // Each endpoint reports one direction only.
    if (e.Has(k("kol_prh"))) r.KolPrh = e.Float(k("kol_prh"));
    if (e.Has(k("kol_nkl"))) r.KolNkl = e.Float(k("kol_nkl"));
}

// `sales` adds the sale sum, which purchase rows do not carry.
std::function<void(TRecSt&, const Element&)> structureReader(bool sales) {
    return [sales](TRecSt& r, const Element& e) {
        r.ID = e.Int(k("id"));
        r.Name = e.Text(k("name"));
        r.Pack = e.Float(k("pack"));
        r.Kol = e.Float(k("kol"));
        r.SumZ = e.Float(k("zsum"));
        if (sales) r.SumR = e.Float(k("rsum"));
    };
}

std::function<void(TRecDynam&, const Element&)> dynamicsReader(bool sales) {
    return [sales](TRecDynam& r, const Element& e) {
        r.DocDate = e.Date(k("docdate"));
        r.MinDocDate = e.Date(k("min_docdate"));
        r.MaxDocDate = e.Date(k("max_docdate"));
        r.Kol = e.Float(k("kol"));
        r.SumZ = e.Float(k("zsum"));
        if (sales) r.SumR = e.Float(k("rsum"));
    };
}

// ---- Several endpoints into one list ------------------------------------------------------

template <class T>
struct Source {
    const char* endpoint;
    std::function<void(T&, const Element&)> fill;
};

// Asks the first `count` sources (all by default) in order.
template <class T>
void runSources(TFormLoad& fl, RecordList<T>& L, int capacity, const Form& form,
                const std::vector<Source<T>>& sources, size_t count = SIZE_MAX) {
    CreateList(L, capacity);
    for (size_t i = 0; i < sources.size() && i < count; ++i)
        if (!fl.AppendQuery(L, QString::fromLatin1(sources[i].endpoint), form, sources[i].fill)) return;
}

// A settlement row: every endpoint names its rows alike and puts the sum on its own side.
Source<TRecMoveKl> settlementSource(const char* endpoint, const QString& nameDoc, double TRecMoveKl::*side) {
    return {endpoint, [nameDoc, side](TRecMoveKl& r, const Element& e) {
                r.ID = e.Int(k("id"));
                r.Dat = e.Date(k("sel_docdate"));
                r.NameDoc = nameDoc;
                r.*side = e.Float(k("sel_docsum"));
            }};
}

} // namespace

void TFormLoad::RunRepOst(RecordList<TRecGood>& L, const QString& SelName, bool FlagZero, int CodeStore) {
    const LongRequest slow(*this);
    ReportForm f;
    f.Find(SelName).Switch("flag_zero", FlagZero).Code("code_store", CodeStore);
    runSources<TRecGood>(*this, L, kStockCapacity, f.form(),
                         {{"/rep-ost-json-v3.php", kovrel::reply::ReadStockRow}});
}

void TFormLoad::RunRepMoveGood(RecordList<TRecMoveGood>& L, int ID, TDateTime EndDat, int CodeStore) {
    const LongRequest slow(*this);
    ReportForm f;
    f.Id("id_goods", ID).Dat(EndDat).Code("code_store", CodeStore);
    // The last two, the sides of internal transfers, matter only within one store.
    const std::vector<Source<TRecMoveGood>> sources{{"/rep-movegood-1-json.php", readMoveGood},
                                                    {"/rep-movegood-2-json.php", readMoveGood},
                                                    {"/rep-movegood-p-json.php", readMoveGood},
                                                    {"/rep-movegood-i-json.php", readMoveGood}};
    runSources(*this, L, kReportCapacity, f.form(), sources, CodeStore > 0 ? 4 : 2);
}

void TFormLoad::RunRepSaleSt(RecordList<TRecSt>& L, TDateTime BeginDat, TDateTime EndDat,
                             const QString& SelName, int CodeKl, int CodeStore, int CodeManager) {
    const LongRequest slow(*this);
    ReportForm f;
    f.Find(SelName).Period(BeginDat, EndDat).Code("code_kl", CodeKl).Code("code_store", CodeStore);
    f.Code("code_manager", CodeManager);
    runSources<TRecSt>(*this, L, kReportCapacity, f.form(),
                       {{"/rep-nkl-st-json.php", structureReader(true)}});
}

void TFormLoad::RunRepSaleDynam(RecordList<TRecDynam>& L, TDateTime BeginDat, TDateTime EndDat, int CodeDetal,
                                int CodeKl, int CodeStore, int CodeManager) {
    const LongRequest slow(*this);
    ReportForm f;
    f.Period(BeginDat, EndDat)
        .Id("code_detal", CodeDetal)
        .Code("code_kl", CodeKl)
        .Code("code_store", CodeStore);
    f.Code("code_manager", CodeManager);
    runSources<TRecDynam>(*this, L, kReportCapacity, f.form(),
                          {{"/rep-nkl-dynam-json.php", dynamicsReader(true)}});
}

void TFormLoad::RunRepPrhSt(RecordList<TRecSt>& L, TDateTime BeginDat, TDateTime EndDat,
                            const QString& SelName, int CodeKl, int CodeStore) {
    const LongRequest slow(*this);
    ReportForm f;
    f.Find(SelName).Period(BeginDat, EndDat).Code("code_kl", CodeKl).Code("code_store", CodeStore);
    runSources<TRecSt>(*this, L, kReportCapacity, f.form(),
                       {{"/rep-prh-st-json.php", structureReader(false)}});
}

void TFormLoad::RunRepPrhDynam(RecordList<TRecDynam>& L, TDateTime BeginDat, TDateTime EndDat, int CodeDetal,
                               int CodeKl, int CodeStore) {
    const LongRequest slow(*this);
    ReportForm f;
    f.Period(BeginDat, EndDat)
        .Id("code_detal", CodeDetal)
        .Code("code_kl", CodeKl)
        .Code("code_store", CodeStore);
    runSources<TRecDynam>(*this, L, kReportCapacity, f.form(),
                          {{"/rep-prh-dynam-json.php", dynamicsReader(false)}});
}

// One balance per counterparty: every element adds its document sum, signed by the endpoint's
// side, to the counterparty's record, which the first element seen for it creates.
void TFormLoad::RunRepDolg(RecordList<TRecDolg>& L, TDateTime EndDat, int CodeManager) {
    const LongRequest slow(*this);
    ReportForm f;
    f.Dat(EndDat).Code("code_manager", CodeManager);
    CreateList(L, kReportCapacity);
    struct Side {
        const char* endpoint;
        double sign;
    };
    static constexpr Side kSides[] = {{"/rep-dolg-nkl-json.php", 1},
                                      {"/rep-dolg-prh-json.php", -1},
                                      {"/rep-dolg-moneyi-json.php", -1},
                                      {"/rep-dolg-moneyp-json.php", 1}};
    QHash<int, TRecDolg*> byKlient;
    for (const Side& side : kSides) {
        const bool ok = ReadArray(QString::fromLatin1(side.endpoint), f.form(), [&](const Element& e) {
            // Everything is read before anything changes, so a bad value leaves no half merge.
            const int id = e.Int(k("id_klient"));
            const QString name = e.Text(k("name_klient"));
            const int group = e.Int(k("group_kl"));
            const double sum = side.sign * e.Float(k("doc_sum"));
            if (TRecDolg* known = byKlient.value(id)) {
                known->DolgSum += sum;
                return;
            }
            auto rec = std::make_unique<TRecDolg>();
            rec->KlientID = id;
            rec->KlientName = name;
            rec->KlientGr = group;
            rec->DolgSum = sum;
            byKlient.insert(id, rec.get());
            L.push_back(std::move(rec));
        });
        if (!ok) return;
    }
}

void TFormLoad::RunRepMoveKl(RecordList<TRecMoveKl>& L, int ID, TDateTime EndDat) {
    const LongRequest slow(*this);
    ReportForm f;
    f.Id("code_kl", ID).Dat(EndDat);
    const QString sale = QStringLiteral("Расходная накладная");
    const QString receipt = QStringLiteral("Приходная накладная");
    const QString payment = QStringLiteral("Оплата");
    runSources<TRecMoveKl>(*this, L, kReportCapacity, f.form(),
                           {settlementSource("/rep-movekl-nkl-json.php", sale, &TRecMoveKl::SumR),
                            settlementSource("/rep-movekl-prh-json.php", receipt, &TRecMoveKl::SumP),
                            settlementSource("/rep-movekl-moneyi-json.php", payment, &TRecMoveKl::SumP),
                            settlementSource("/rep-movekl-moneyp-json.php", payment, &TRecMoveKl::SumR)});
}
