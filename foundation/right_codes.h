#pragma once

#include <QString>

#include <span>

// Function rights a user can be given. The thousands digit names the area (1 receipts,
// 2 sales waybills, 7 orders, 3 internal transfers, 4 money operations, 5 catalogs and prices,
// 6 reports); in the document areas the last digit is 1 view, 2 full access, 3 lock after
// days, 4 prohibition of deletion.
enum class RightKind {
    Permission,  // 0/1, granted by value 1 (CheckRight)
    Prohibition, // 0/1, the action is allowed by value 0 (CheckNotDenied)
    DaysLock,    // number of days, 0 = no lock (CheckDocAge)
    ListedOnly,  // 0/1, kept for the user editor; no check reads it
};

struct RightCode {
    int code;
    const char* text; // as the user editor lists it
    RightKind kind;
};

namespace Right {
constexpr int PrhView = 1001, PrhFull = 1002, PrhLock = 1003, PrhNoDelete = 1004;
constexpr int NklView = 2001, NklFull = 2002, NklLock = 2003, NklNoDelete = 2004;
constexpr int InvoiceView = 7001, InvoiceFull = 7002, InvoiceLock = 7003, InvoiceNoDelete = 7004;
constexpr int VnkView = 3001, VnkFull = 3002, VnkLock = 3003, VnkNoDelete = 3004;
constexpr int MoneyView = 4001, MoneyFull = 4002, MoneyLock = 4003, MoneyNoDelete = 4004;
constexpr int Goods = 5001, Kits = 5002, Klients = 5003, Stores = 5004, PurchasePrices = 5005,
              OpeningBalances = 5006;
constexpr int RepOst = 6001, RepMoveGood = 6002, RepSaleSt = 6003, RepSaleDynam = 6004, RepDolg = 6005,
              RepMoveKl = 6006, RepPrhSt = 6007, RepPrhDynam = 6008, RepOstTurnover = 6009, RepVnkSt = 6010;
} // namespace Right

// Every right code, in the order of the code table.
std::span<const RightCode> AllRightCodes();
// The entry of a code, or nullptr.
const RightCode* FindRightCode(int code);
