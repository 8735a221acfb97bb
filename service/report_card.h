#pragma once

#include "date_time.h"
#include "rec_move_good.h"
#include "rec_move_kl.h"
#include "record_list.h"
#include "sorted_list.h"

#include <QString>

#include <vector>

// The two cards, goods movement and counterparty settlement: an opening balance made of the
// rows before the period, then the period's rows in date order with a running balance.
namespace kovrel::report {

template <class T>
struct CardRow {
    const T* Rec;
    TDateTime Date;
    QString Text;   // "<counterparty> док. № <document>" or "<operation> № <ID>"
    double In;      // KolPrh, or SumP
    double Out;     // KolNkl, or SumR
    double Balance; // after the row
};

template <class T>
struct Card {
    double Opening = 0;
    std::vector<CardRow<T>> Rows;
    double TotalIn = 0; // of the period's rows only
    double TotalOut = 0;
    double Closing = 0;
};

// Rows dated before BeginDat go into the opening balance and leave the list; the others are
// indexed under their keys (of two rows with the same key only the first counts) and walked in
// key order. The index refers to the list's records. The goods card's balance grows by what
// came in; the settlement card's by SumR - SumP, money the counterparty owes.
Card<TRecMoveGood> ComputeMoveGoodCard(RecordList<TRecMoveGood>& L, TSortedList<TRecMoveGood>& Index,
                                       TDateTime BeginDat);
Card<TRecMoveKl> ComputeMoveKlCard(RecordList<TRecMoveKl>& L, TSortedList<TRecMoveKl>& Index,
                                   TDateTime BeginDat);

} // namespace kovrel::report
