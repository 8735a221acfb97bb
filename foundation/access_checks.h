#pragma once

#include "date_time.h"

// What the signed-in person may see and do. The administrator may do everything; otherwise
// the checks read UserRights and StoreRights. With `showMessage` a refusal shows
// "Доступ запрещен. " before returning false.

// True when the right's value is 1.
bool CheckRight(int code, bool showMessage);
// True when the prohibition's value is 0; a missing entry refuses.
bool CheckNotDenied(int code, bool showMessage);
// True when the lock is 0 or missing, or the document is younger than the lock's days.
bool CheckDocAge(int code, bool showMessage, TDateTime docDate);
// Store access level 1 (or no entry): documents of the store are listed and editable.
bool CheckStoreFull(int storeID, bool showMessage);
// Store access level 1 or 2 (or no entry): the store is offered in report filters.
bool CheckStoreView(int storeID, bool showMessage);

extern const char* const kAccessDenied; // "Доступ запрещен. "
