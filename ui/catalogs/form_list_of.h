#pragma once

#include "form_list.h"
#include "form_load.h"
#include "record_list.h"
#include "sorted_list.h"

// A picker over records of one kind: the records of the last load and, beside them, the index
// that orders the allowed ones by key (the first of equal keys stays, later ones are not shown).
template <class Rec>
class TFormListOf : public TFormList {
public:
    RecordList<Rec> List;
    TSortedList<Rec> ListSort;

protected:
    using TFormList::TFormList;

    virtual void Query(TFormLoad& fl, const QString& filter) = 0;
    virtual bool Keep(const Rec&) const { return true; }
    virtual QString KeyOf(const Rec& rec) const { return rec.GetKey(); }
    virtual QStringList Cells(const Rec& rec) const = 0;
    virtual void Choose(const Rec& rec) = 0;

    void LoadEntries(const QString& filter) override {
        {
            TFormLoad fl;
            Query(fl, filter);
        }
        CreateSortedList(ListSort, kIndexCapacity);
        for (const auto& rec : List)
            if (Keep(*rec)) ListSort.Add(KeyOf(*rec), rec.get());
    }
    int EntryCount() const override { return ListSort.Count(); }
    QStringList EntryCells(int entry) const override { return Cells(*ListSort.Objects(entry)); }
    void ChooseEntry(int entry) override { Choose(*ListSort.Objects(entry)); }
};
