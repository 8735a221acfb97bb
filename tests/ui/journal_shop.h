#pragma once

#include "form_load.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>

class MainWindowFixture;

// A shop of its own on the service for the document windows' tests: a new account with three
// stores, counterparties of the first two kinds, two goods and a cashier whose store access
// differs per store. Everything is made through the client's own operations, as the account's
// administrator, and documents likewise.
class JournalShop {
public:
    enum class Kind { Prh, Nkl, Invoice, Vnk };
    struct Line {
        int goods;
        double kol;
        double zcen;
        double rcen = 0;
    };

    // Creates the account, its catalog and the cashier; false with Error() when a step failed.
    bool Create(MainWindowFixture& f, const QString& login);
    QString Error() const { return m_error; }

    QString Login, Password;         // the administrator
    QString UserLogin, UserPassword; // the cashier
    int User = 0;
    int Main = 0;                // full access for the cashier
    int Far = 0;                 // closed to the cashier
    int Window = 0;              // the cashier's reports only (level 2)
    int Supplier = 0, Buyer = 0; // kind 1
    int Cash = 0, Bank = 0;      // kind 2
    int Tea = 0, Coffee = 0;
    static const QString kSupplier, kBuyer, kCash, kBank, kMain, kFar, kWindow;

    // The session of the administrator, for the writes below.
    void AsAdmin() const;
    // Sets the cashier's rights (code, value); every other right keeps its value.
    bool SetUserRights(const QList<QPair<int, int>>& codeValues) const;
    // Only these rights granted (value 1), every other right 0, then the given values.
    bool ResetUserRights(const QList<QPair<int, int>>& codeValues) const;

    // A document with its lines, as the administrator; its number, 0 on failure. `party` is the
    // counterparty, or the receiving store of a transfer.
    int Doc(Kind kind, const QDate& date, int store, int party, const QList<Line>& lines,
            const QString& prim = QString()) const;
    // A money operation, as the administrator; false on failure.
    bool Pay(int from, int to, double sum, int docN, int invoiceN, const QDate& date = QDate::currentDate(),
             const QString& prim = QString()) const;

    // The money operations of a period, as the service lists them to the administrator.
    RecordList<TRecMoney> Payments(const QDate& from, const QDate& to) const;

private:
    bool fail(const QString& step, const TFormLoad& fl);
    int klient(const QString& name, int kind);
    int goods(const QString& name, double pcen);
    bool user(MainWindowFixture& f);

    QString m_error;
};
