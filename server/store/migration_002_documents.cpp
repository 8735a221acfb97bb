#include "schema_migrations.h"
#include "sql_dialect.h"

namespace kovrel::server {

// Documents, their lines, the stock they move and money operations. Dates are texts
// "yyyy-mm-dd", which compare in date order on both databases. A missing counterparty or
// second store is NULL, so the references still hold for the rest.
Migration Migration002Documents() {
    return {
        2, "documents, lines, stock, money operations and the accounts' data versions",
        [](const SqlDialect&) {
            return QStringList{
                // Raised by every write of the account: replies read at one version stay valid
                // until the next (ReplyCache).
                QStringLiteral("ALTER TABLE accounts ADD COLUMN data_version BIGINT NOT NULL DEFAULT 0"),
                // Receipts (kind 1), sales waybills (2), orders (3) and internal transfers (4).
                // id_store is the store of the first three and the sending store of a transfer,
                // id_store_p the receiving one. zsum and rsum follow the lines.
                QStringLiteral(
                    "CREATE TABLE docs (account_id BIGINT NOT NULL REFERENCES accounts (id), "
                    "kind INTEGER NOT NULL, id INTEGER NOT NULL, docdate TEXT NOT NULL, "
                    "id_klient INTEGER, id_store INTEGER NOT NULL, id_store_p INTEGER, "
                    "prim TEXT NOT NULL DEFAULT '', upprim TEXT NOT NULL DEFAULT '', "
                    "zsum DOUBLE PRECISION NOT NULL DEFAULT 0, rsum DOUBLE PRECISION NOT NULL DEFAULT 0, "
                    "PRIMARY KEY (account_id, kind, id), "
                    "FOREIGN KEY (account_id, id_klient) REFERENCES klients (account_id, id), "
                    "FOREIGN KEY (account_id, id_store) REFERENCES klients (account_id, id), "
                    "FOREIGN KEY (account_id, id_store_p) REFERENCES klients (account_id, id))"),
                QStringLiteral("CREATE INDEX docs_date ON docs (account_id, kind, docdate)"),
                QStringLiteral("CREATE INDEX docs_klient ON docs (account_id, id_klient, kind)"),
                // A kit sold or ordered is a line of the kit itself (flag_norm 1) and one line
                // per component (norm_kol units per kit); all of them carry the kit line's ID
                // in id_row, which is 0 outside kits.
                QStringLiteral(
                    "CREATE TABLE doc_items (account_id BIGINT NOT NULL, id INTEGER NOT NULL, "
                    "kind INTEGER NOT NULL, id_z INTEGER NOT NULL, id_goods INTEGER NOT NULL, "
                    "kol DOUBLE PRECISION NOT NULL DEFAULT 0, zcen DOUBLE PRECISION NOT NULL DEFAULT 0, "
                    "rcen DOUBLE PRECISION NOT NULL DEFAULT 0, nds DOUBLE PRECISION NOT NULL DEFAULT 0, "
                    "flag_norm INTEGER NOT NULL DEFAULT 0, id_row INTEGER NOT NULL DEFAULT 0, "
                    "norm_kol DOUBLE PRECISION NOT NULL DEFAULT 0, "
                    "PRIMARY KEY (account_id, id), "
                    "FOREIGN KEY (account_id, kind, id_z) REFERENCES docs (account_id, kind, id), "
                    "FOREIGN KEY (account_id, id_goods) REFERENCES goods (account_id, id))"),
                QStringLiteral("CREATE INDEX doc_items_doc ON doc_items (account_id, kind, id_z)"),
                QStringLiteral("CREATE INDEX doc_items_goods ON doc_items (account_id, id_goods, kind)"),
                // Stock per store, goods item and purchase price: the movement totals of the
                // lines priced so. Kept by every line write in the same transaction; the
                // balance of a store and goods item over all its prices never goes below zero.
                QStringLiteral(
                    "CREATE TABLE stock (account_id BIGINT NOT NULL, id INTEGER NOT NULL, "
                    "id_store INTEGER NOT NULL, id_goods INTEGER NOT NULL, zcen DOUBLE PRECISION NOT NULL, "
                    "kol_plus DOUBLE PRECISION NOT NULL DEFAULT 0, kol_minus DOUBLE PRECISION NOT NULL "
                    "DEFAULT 0, "
                    "kol_plus_v DOUBLE PRECISION NOT NULL DEFAULT 0, "
                    "kol_minus_v DOUBLE PRECISION NOT NULL DEFAULT 0, "
                    "PRIMARY KEY (account_id, id_store, id_goods, zcen), "
                    "FOREIGN KEY (account_id, id_store) REFERENCES klients (account_id, id), "
                    "FOREIGN KEY (account_id, id_goods) REFERENCES goods (account_id, id))"),
                // Covers the stock report, which sums every store's lots per goods item and price.
                QStringLiteral(
                    "CREATE INDEX stock_goods ON stock (account_id, id_goods, zcen, kol_plus, kol_plus_v, "
                    "kol_minus, kol_minus_v, id)"),
                // Money from klient_i to klient_p; doc_link names the receipt or sales waybill
                // it pays (they share one numbering), doc_link_invoice the order; 0 for none.
                QStringLiteral(
                    "CREATE TABLE money (account_id BIGINT NOT NULL REFERENCES accounts (id), "
                    "id INTEGER NOT NULL, docdate TEXT NOT NULL, klient_i INTEGER NOT NULL, "
                    "klient_p INTEGER NOT NULL, sum_m DOUBLE PRECISION NOT NULL DEFAULT 0, "
                    "prim TEXT NOT NULL DEFAULT '', upprim TEXT NOT NULL DEFAULT '', "
                    "doc_link INTEGER NOT NULL DEFAULT 0, doc_link_invoice INTEGER NOT NULL DEFAULT 0, "
                    "PRIMARY KEY (account_id, id), "
                    "FOREIGN KEY (account_id, klient_i) REFERENCES klients (account_id, id), "
                    "FOREIGN KEY (account_id, klient_p) REFERENCES klients (account_id, id))"),
                QStringLiteral("CREATE INDEX money_date ON money (account_id, docdate)"),
                QStringLiteral("CREATE INDEX money_doc ON money (account_id, doc_link)"),
                QStringLiteral("CREATE INDEX money_invoice ON money (account_id, doc_link_invoice)"),
                QStringLiteral("CREATE INDEX money_from ON money (account_id, klient_i)"),
                QStringLiteral("CREATE INDEX money_to ON money (account_id, klient_p)"),
            };
        }};
}

} // namespace kovrel::server
