#pragma once

#include <QString>

// A counterparty and everything else kept in the counterparty table: buyers and suppliers,
// bank accounts and cash desks, overheads, investments, stores, managers, goods categories.
class TRecKlient {
public:
    int ID = 0;
    int FlagDel = 0;
    QString Name;
    QString Prim;
    int TypeKl = 0;
    QString ManagerName;
    int ManagerID = 1; // 1 is the "no manager" entry
    double m1_sum = 0;
    double m2_sum = 0;
    double nkl_sum = 0;
    double prh_sum = 0;

    QString GetKey() const;
};

// Counterparty kinds (TypeKl).
namespace TypeKlKind {
constexpr int Klient = 1;     // buyer or supplier
constexpr int Account = 2;    // bank account or cash desk
constexpr int Overhead = 3;   // overhead expense item
constexpr int Investment = 4; // investment or withdrawal of funds
constexpr int Store = 10;
constexpr int Organization = 11;
constexpr int Manager = 12;
} // namespace TypeKlKind

// The own organization's requisites are kept under this counterparty ID.
constexpr int kOrganizationID = 1000000;
