#pragma once

// One right of a user: a permission or prohibition (0/1) or a lock in days.
class TRecUserRights {
public:
    int idRight = 0;
    int ur = 0;
};
