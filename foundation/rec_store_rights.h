#pragma once

#include <QString>

// One user's access to one store: 0 none, 1 full, 2 limited (reports only).
class TRecStoreRights {
public:
    int idStore = 0;
    int idUser = 0;
    int ur = 0;
    QString userName;
};
