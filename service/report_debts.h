#pragma once

#include "rec_dolg.h"
#include "record_list.h"
#include "sorted_list.h"

#include <optional>
#include <vector>

// The debts and money balances report for one account group, in counterparty name order.
namespace kovrel::report {

// The account groups of the page, each selecting the counterparty kind group + 1.
enum AccountGroup { Klients = 0, Accounts = 1, Overheads = 2, Investments = 3 };

struct DebtRow {
    const TRecDolg* Rec;
    // Buyers and suppliers: a positive balance is their debt, any other an advance we owe,
    // shown as a positive amount; the other cell is empty.
    std::optional<double> Debt;
    std::optional<double> Advance;
    double Balance; // the signed balance, shown for the other groups
};

struct Debts {
    bool Split = false; // debt and advance columns (group 0) instead of one balance
    std::vector<DebtRow> Rows;
    double TotalDebt = 0;
    double TotalAdvance = 0;
    double TotalBalance = 0;
};

// Indexes the records of the group's kind whose balance is not zero under their keys (the
// index refers to the list's records) and walks them in key order.
Debts ComputeDebts(const RecordList<TRecDolg>& L, TSortedList<TRecDolg>& Index, int Group);

} // namespace kovrel::report
