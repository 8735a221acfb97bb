#pragma once

#include "form_list.h"
#include "form_load.h"
#include "record_list.h"
#include "sorted_list.h"

// A picker over records of one kind: the records of the last load and, beside them, the index
// that orders the allowed ones by key (the first of equal keys stays, later ones are not shown).
// A load that fails keeps the records of the one before.
template <class Rec>
class TFormListOf : public TFormList {
public:
    RecordList<Rec> List;
    TSortedList<Rec> ListSort;

protected:
    using TFormList::TFormList;

    // Reads the records into `list`.
    virtual void Query(TFormLoad& fl, RecordList<Rec>& list, const QString& filter) = 0;
    // The records read have become the ones listed.
    virtual void Listed() {}
    virtual bool Keep(const Rec&) const { return true; }
    virtual QString KeyOf(const Rec& rec) const { return rec.GetKey(); }
    virtual QStringList Cells(const Rec& rec) const = 0;
    virtual void Choose(const Rec& rec) = 0;

    std::optional<kovrel::RequestFailure> LoadEntries(const QString& filter) override {
        RecordList<Rec> fresh;
        {
            TFormLoad fl;
            Query(fl, fresh, filter);
            if (fl.Failure()) return fl.Failure();
        }
        List.swap(fresh);
        Listed();
        CreateSortedList(ListSort, kIndexCapacity);
        for (const auto& rec : List)
            if (Keep(*rec)) ListSort.Add(KeyOf(*rec), rec.get());
        return std::nullopt;
    }
    int EntryCount() const override { return ListSort.Count(); }
    QStringList EntryCells(int entry) const override { return Cells(*ListSort.Objects(entry)); }
    void ChooseEntry(int entry) override { Choose(*ListSort.Objects(entry)); }
};
