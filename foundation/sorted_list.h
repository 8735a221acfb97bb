#pragma once

#include "collation.h"

#include <QString>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

// A sorted text list: keys in ascending case-insensitive collation order, each with an object.
// Adding a key that is already present adds nothing (the first one stays). The list either
// refers to objects that others own (indexes over a record list) or owns them (rights lists).
//
// Adds are collected and merged in one sort on the next read, so filling an index with
// 100 000 keys costs one O(n log n) sort instead of n insertions.
template <class T>
class TSortedList {
public:
    int Count() const { return static_cast<int>(merged().size()); }
    bool IsEmpty() const { return Count() == 0; }
    const QString& Strings(int index) const { return merged().at(static_cast<size_t>(index)).key; }
    T* Objects(int index) const { return merged().at(static_cast<size_t>(index)).object; }

    // Position of the key, or -1.
    int IndexOf(const QString& key) const {
        const auto& list = merged();
        const QCollatorSortKey probe = kovrel::CollationSortKey(key);
        const auto it =
            std::lower_bound(list.begin(), list.end(), probe, [](const Entry& e, const QCollatorSortKey& k) {
                return e.sortKey.compare(k) < 0;
            });
        if (it == list.end() || it->sortKey.compare(probe) != 0) return -1;
        return static_cast<int>(it - list.begin());
    }
    T* Find(const QString& key) const {
        const int i = IndexOf(key);
        return i < 0 ? nullptr : Objects(i);
    }

    // Refers to an object owned elsewhere.
    void Add(const QString& key, T* object) { m_pending.push_back(makeEntry(key, object, nullptr)); }
    // Takes ownership; a duplicate key frees the object at once.
    void AddOwned(const QString& key, std::unique_ptr<T> object) {
        T* raw = object.get();
        m_pending.push_back(makeEntry(key, raw, std::move(object)));
    }

    // Frees owned objects and empties the list.
    void Clear() {
        m_entries.clear();
        m_pending.clear();
    }
    void Reserve(int capacity) { m_entries.reserve(static_cast<size_t>(capacity)); }

private:
    struct Entry {
        QString key;
        QCollatorSortKey sortKey;
        T* object;
        std::unique_ptr<T> owned;
        size_t order; // insertion order, so the first of equal keys wins
    };

    Entry makeEntry(const QString& key, T* object, std::unique_ptr<T> owned) {
        return Entry{key, kovrel::CollationSortKey(key), object, std::move(owned), m_sequence++};
    }

    const std::vector<Entry>& merged() const {
        if (m_pending.empty()) return m_entries;
        auto less = [](const Entry& a, const Entry& b) {
            const int c = a.sortKey.compare(b.sortKey);
            return c != 0 ? c < 0 : a.order < b.order;
        };
        std::vector<Entry> all;
        all.reserve(m_entries.size() + m_pending.size());
        std::sort(m_pending.begin(), m_pending.end(), less);
        std::merge(std::make_move_iterator(m_entries.begin()), std::make_move_iterator(m_entries.end()),
                   std::make_move_iterator(m_pending.begin()), std::make_move_iterator(m_pending.end()),
                   std::back_inserter(all), less);
        m_pending.clear();
        m_entries.clear();
        for (auto& e : all) {
            if (!m_entries.empty() && m_entries.back().sortKey.compare(e.sortKey) == 0)
                continue; // equal key: the earlier entry stays
            m_entries.push_back(std::move(e));
        }
        return m_entries;
    }

    mutable std::vector<Entry> m_entries;
    mutable std::vector<Entry> m_pending;
    size_t m_sequence = 0;
};

// Empties the list (freeing owned objects) and gives it room for `capacity` entries.
template <class T>
void CreateSortedList(TSortedList<T>& list, int capacity) {
    list.Clear();
    list.Reserve(capacity);
}

template <class T>
void ClearSortedList(TSortedList<T>& list) {
    list.Clear();
}
