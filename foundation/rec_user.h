#pragma once

#include <QString>

// A user of the account.
class TRecUser {
public:
    int ID = 0;
    int FlagDel = 0;
    QString DopLogin; // the user's e-mail login
    QString UserName;

    QString GetKey() const;
};
