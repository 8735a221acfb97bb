#pragma once

#include <memory>
#include <vector>

// A list of records that owns them. Operations that return many records fill one that the
// caller owns; clearing it frees the records.
template <class T>
using RecordList = std::vector<std::unique_ptr<T>>;

// Empties the list (freeing its records) and gives it room for `capacity` entries.
template <class T>
void CreateList(RecordList<T>& list, int capacity) {
    list.clear();
    list.reserve(static_cast<size_t>(capacity));
}

// Frees every record and empties the list; the list stays usable.
template <class T>
void ClearList(RecordList<T>& list) {
    list.clear();
}

// Frees every record and the list's storage.
template <class T>
void FreeList(RecordList<T>& list) {
    RecordList<T>().swap(list);
}
