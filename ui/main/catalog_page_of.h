#pragma once

#include "catalog_page.h"
#include "form_load.h"
#include "fresh_request.h"
#include "record_list.h"
#include "sorted_list.h"

#include <functional>
#include <memory>

// What a catalog page does with its kind of record.
template <class Rec>
struct TCatalogOps {
    // The list operation with the trimmed search text and the kind (0 without a kind filter).
    std::function<void(TFormLoad&, RecordList<Rec>&, const QString& filter, int kind)> load;
    // Texts of columns 1… of the record's row.
    std::function<QStringList(const Rec&)> cells;
    // The empty record that "Добавить" hands to the editor.
    std::function<std::unique_ptr<Rec>(int kind)> create;
    // Opens the record's editor modally; null for pages that only list.
    std::function<void(QWidget* owner, Rec&)> edit;
    std::function<bool(TFormLoad&, const Rec&)> remove;
};

// A catalog page over records of one kind: the records of the last load and, beside them, the
// index that orders them by key (the first of equal keys stays, later ones are not shown).
template <class Rec>
class TCatalogPageOf final : public TCatalogPage {
public:
    TCatalogPageOf(const TCatalogPageDef& def, TCatalogOps<Rec> ops, TStatusBar& bar, QWidget* parent)
        : TCatalogPage(def, bar, parent)
        , m_ops(std::move(ops)) {}

    RecordList<Rec> List;
    TSortedList<Rec> ListSort;

    static constexpr int kCapacity = 2048;

protected:
    std::optional<kovrel::RequestFailure> LoadEntries(const QString& filter, int kind) override {
        RecordList<Rec> fresh;
        TFormLoad fl;
        m_ops.load(fl, fresh, filter, kind);
        if (fl.Failure()) return fl.Failure();
        List.swap(fresh);
        CreateSortedList(ListSort, kCapacity);
        for (const auto& rec : List)
            ListSort.Add(rec->GetKey(), rec.get());
        return std::nullopt;
    }
    int EntryCount() const override { return ListSort.Count(); }
    QStringList EntryCells(int entry) const override { return m_ops.cells(*ListSort.Objects(entry)); }
    void OpenNew(int kind) override {
        std::unique_ptr<Rec> rec = m_ops.create(kind);
        if (m_ops.edit) m_ops.edit(window(), *rec);
    }
    void OpenEntry(int entry) override {
        if (m_ops.edit) m_ops.edit(window(), *ListSort.Objects(entry));
    }
    void RemoveEntry(int entry) override {
        ChangeOnFreshRequest([&](TFormLoad& fl) { return m_ops.remove(fl, *ListSort.Objects(entry)); });
    }

private:
    TCatalogOps<Rec> m_ops;
};
