#pragma once

#include "doc_print_data.h"
#include "record_list.h"
#include "sorted_list.h"

#include <memory>

// A stored goods document read for printing the way its editor reads it, for printing without
// the editor (kovrel-cli): the header found in the kind's journal list over all dates, since
// the protocol reads no single document; the lines with the stock of the document's stores,
// in the editor's order; and the requisites its forms print.
class TStoredDocPrint {
public:
    // False with `failure` (one line) when the document is not in its journal, or the journal,
    // its lines or its requisites cannot be read. Requisites the service does not have print as
    // dashes.
    bool Read(const TGoodsDocKind& kind, int id, QString& failure);
    // The same for a header already read (from a journal of a period): its lines and requisites.
    bool ReadDocument(const TGoodsDocKind& kind, const TRecDoc& rec, QString& failure);

    // Valid while this object lives and is not read again.
    TDocPrintData Data() const;

private:
    const TGoodsDocKind* m_kind = nullptr;
    TRecDoc m_rec;
    RecordList<TRecDocItem> m_items;
    TSortedList<TRecDocItem> m_sorted;
    std::unique_ptr<TRecBank> m_org;
    std::unique_ptr<TRecBank> m_kl;
};
