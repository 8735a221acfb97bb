#pragma once

#include "form_load.h"
#include "journal_page.h"
#include "rec_money.h"
#include "record_list.h"
#include "sorted_list.h"
#include "window_seams.h"

#include <functional>
#include <vector>

class TStatusBar;

// A column of a journal: its heading, its initial width and the text of a record's cell.
template <class Rec>
struct TJournalColumn {
    QString heading;
    int width;
    std::function<QString(const Rec&)> text;
};

// Everything in which the journals of one kind of record differ.
template <class Rec>
struct TJournalKind {
    using ListOp = void (TFormLoad::*)(RecordList<Rec>&, const QString&, TDateTime, TDateTime);
    using Editor = std::function<int(QWidget*, TSelectionSlot&, Rec&)> TWindowSeams::*;

    QString kind; // the short name the controls are named after
    TJournalRights rights;
    std::vector<TJournalColumn<Rec>> columns; // after the row number
    ListOp load;
    // Whether the signed-in person sees the document.
    std::function<bool(const Rec&)> listed;
    Editor editor;
    // Deletes the document, refusing what the kind's rule forbids.
    std::function<void(TStatusBar&, const Rec&)> remove;
    // Prefills a payment of the document; null for a journal without payments.
    std::function<void(const Rec&, TRecMoney&)> pay;

    static constexpr int kNumberWidth = 40;

    TJournalPageDef PageDef() const {
        TJournalPageDef def{kind, {}, {kNumberWidth}, rights, static_cast<bool>(pay)};
        for (const auto& c : columns) {
            def.headers << c.heading;
            def.widths.push_back(c.width);
        }
        return def;
    }
};

// A journal over records of one kind: the documents of the last load and the sorted view over
// those the person may see, keyed newest first.
template <class Rec>
class TJournalPageOf final : public TJournalPage {
public:
    TJournalPageOf(TJournalKind<Rec> kind, TStatusBar& bar, TSelectionSlot& slot, QWidget* parent)
        : TJournalPage(kind.PageDef(), bar, slot, parent)
        , m_kind(std::move(kind)) {}

    RecordList<Rec> List;
    TSortedList<Rec> ListSort;

    static constexpr int kCapacity = 2048;

protected:
    std::optional<kovrel::RequestFailure> LoadEntries(const QString& filter, TDateTime begin,
                                                      TDateTime end) override {
        RecordList<Rec> fresh;
        TFormLoad fl;
        (fl.*m_kind.load)(fresh, filter, begin, end);
        if (fl.Failure()) return fl.Failure();
        List.swap(fresh);
        CreateSortedList(ListSort, kCapacity);
        for (const auto& rec : List)
            if (m_kind.listed(*rec)) ListSort.Add(rec->GetKey(), rec.get());
        return std::nullopt;
    }
    int EntryCount() const override { return ListSort.Count(); }
    QStringList EntryCells(int entry) const override {
        QStringList cells;
        for (const auto& c : m_kind.columns)
            cells << c.text(*ListSort.Objects(entry));
        return cells;
    }
    TDateTime EntryDate(int entry) const override { return ListSort.Objects(entry)->DocDate; }
    void OpenNew(TDateTime today) override {
        Rec rec;
        rec.DocDate = today;
        (WindowSeams().*m_kind.editor)(window(), Slot(), rec);
    }
    void OpenEntry(int entry) override {
        (WindowSeams().*m_kind.editor)(window(), Slot(), *ListSort.Objects(entry));
    }
    void RemoveEntry(int entry) override { m_kind.remove(Bar(), *ListSort.Objects(entry)); }
    void PayEntry(int entry, TDateTime today) override {
        if (!m_kind.pay) return;
        TRecMoney payment;
        payment.DocDate = today;
        m_kind.pay(*ListSort.Objects(entry), payment);
        WindowSeams().FormEditMoney(window(), Slot(), payment);
    }

private:
    TJournalKind<Rec> m_kind;
};
