#pragma once

#include <QString>

#include <span>

namespace kovrel::server {

// How the lines of a kind move stock.
enum class StockSide {
    In,       // into the document's store (receipts)
    Out,      // out of the document's store (sales waybills)
    None,     // nowhere (orders)
    Transfer, // out of the sending store into the receiving one (internal transfers)
};

// One of the four kinds of goods document, with everything in which the kinds differ: the
// endpoint stem, the rights that guard it, its stores and lines, and its numbering.
struct DocKind {
    int code;         // docs.kind and doc_items.kind
    const char* stem; // "/list-<stem>-json.php" and its siblings
    const char* title;
    int rightView, rightFull, rightLock, rightNoDelete;
    bool twoStores; // a sending and a receiving store instead of a store and a counterparty
    bool saleSide;  // lines carry a sale price, headers a sale sum
    bool kitLines;  // lines carry VAT, and kits become a kit line with component lines
    StockSide side;
    const QString* sequence;
    const char* paymentLink; // the money column that ties a payment to a document of the kind, or null

    QString Endpoint(const char* pattern) const;
    bool MovesStock() const { return side != StockSide::None; }

    static const DocKind& Prh();
    static const DocKind& Nkl();
    static const DocKind& Invoice();
    static const DocKind& Vnk();
    static std::span<const DocKind* const> All();
    // The kind stored under a code; receipts for a code that names none.
    static const DocKind& FromCode(int code);
};

} // namespace kovrel::server
