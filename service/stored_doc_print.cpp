#include "stored_doc_print.h"

bool TStoredDocPrint::Read(const TGoodsDocKind& kind, int id, QString& failure) {
    TFormLoad fl;
    const std::optional<TRecDoc> header = kind.ReadHeader(fl, id);
    if (fl.Failed()) {
        failure = QStringLiteral("the journal could not be read: %1").arg(fl.MemoInfo.last());
        return false;
    }
    if (!header) {
        failure = QStringLiteral("there is no document %1 of kind %2").arg(id).arg(QLatin1String(kind.name));
        return false;
    }
    return ReadDocument(kind, *header, failure);
}

bool TStoredDocPrint::ReadDocument(const TGoodsDocKind& kind, const TRecDoc& rec, QString& failure) {
    m_kind = &kind;
    ClearSortedList(m_sorted);
    m_rec = rec;
    TFormLoad fl;
    kind.selectItems(fl, m_items, m_rec.ID, kind.StockStoresOf(m_rec));
    if (fl.Failed()) {
        failure = QStringLiteral("the lines of document %1 could not be read: %2")
                      .arg(m_rec.ID)
                      .arg(fl.MemoInfo.last());
        return false;
    }
    CreateSortedList(m_sorted, static_cast<int>(m_items.size()));
    for (const auto& line : m_items)
        m_sorted.Add(line->GetKey(), line.get());
    TDocPrintData::ReadRequisites(fl, kind, m_rec, m_org, m_kl);
    // A paper without the parties' details would pass for a complete one.
    if (fl.Failed()) {
        failure = QStringLiteral("the requisites could not be read: %1").arg(fl.MemoInfo.last());
        return false;
    }
    return true;
}

TDocPrintData TStoredDocPrint::Data() const {
    std::vector<const TRecDocItem*> lines;
    lines.reserve(static_cast<size_t>(m_sorted.Count()));
    for (int i = 0; i < m_sorted.Count(); ++i)
        lines.push_back(m_sorted.Objects(i));
    return TDocPrintData(*m_kind, m_rec, std::move(lines), m_org.get(), m_kl.get());
}
