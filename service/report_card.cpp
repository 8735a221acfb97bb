#include "report_card.h"

#include "record_key.h"

#include <algorithm>

namespace kovrel::report {

namespace {

// What tells the two cards apart.
struct MoveGoodSide {
    static TDateTime date(const TRecMoveGood& r) { return r.DocDat; }
    static double in(const TRecMoveGood& r) { return r.KolPrh; }
    static double out(const TRecMoveGood& r) { return r.KolNkl; }
    static double change(const TRecMoveGood& r) { return r.KolPrh - r.KolNkl; }
    static QString text(const TRecMoveGood& r) {
        return r.KlientName + QStringLiteral(" док. № ") + D(r.DocID);
    }
};

struct MoveKlSide {
    static TDateTime date(const TRecMoveKl& r) { return r.Dat; }
    static double in(const TRecMoveKl& r) { return r.SumP; }
    static double out(const TRecMoveKl& r) { return r.SumR; }
    static double change(const TRecMoveKl& r) { return r.SumR - r.SumP; }
    static QString text(const TRecMoveKl& r) { return r.NameDoc + QStringLiteral(" № ") + D(r.ID); }
};

template <class Side, class T>
Card<T> computeCard(RecordList<T>& L, TSortedList<T>& Index, TDateTime BeginDat) {
    Card<T> card;
    // From the last row to the first, as the balance has always been summed.
    for (auto it = L.rbegin(); it != L.rend(); ++it)
        if (Side::date(**it) < BeginDat) card.Opening += Side::change(**it);
    L.erase(
        std::remove_if(L.begin(), L.end(), [BeginDat](const auto& r) { return Side::date(*r) < BeginDat; }),
        L.end());

    Index.Clear();
    for (const auto& r : L)
        Index.Add(r->GetKey(), r.get());

    double balance = card.Opening;
    card.Rows.reserve(static_cast<size_t>(Index.Count()));
    for (int i = 0; i < Index.Count(); ++i) {
        const T& r = *Index.Objects(i);
        card.TotalIn += Side::in(r);
        card.TotalOut += Side::out(r);
        balance += Side::change(r);
        card.Rows.push_back({&r, Side::date(r), Side::text(r), Side::in(r), Side::out(r), balance});
    }
    card.Closing = balance;
    return card;
}

} // namespace

Card<TRecMoveGood> ComputeMoveGoodCard(RecordList<TRecMoveGood>& L, TSortedList<TRecMoveGood>& Index,
                                       TDateTime BeginDat) {
    return computeCard<MoveGoodSide>(L, Index, BeginDat);
}

Card<TRecMoveKl> ComputeMoveKlCard(RecordList<TRecMoveKl>& L, TSortedList<TRecMoveKl>& Index,
                                   TDateTime BeginDat) {
    return computeCard<MoveKlSide>(L, Index, BeginDat);
}

} // namespace kovrel::report
