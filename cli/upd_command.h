#pragma once

#include "cli_commands.h"
#include "cli_options.h"
#include "upd_document.h"

#include <QDate>
#include <QString>

#include <optional>

// kovrel-cli upd nkl ID --out DIR [--status 1|2]: the УПД XML e-document of a stored sales
// waybill, written as the editor's "Выгрузить УПД (XML)" writes it.
// kovrel-cli upd nkl --from YYYY-MM-DD --to YYYY-MM-DD --out DIR [--status 1|2]: one file for
// every sales waybill of the period, both days included; a document that cannot be made is
// named with its reason and the others are still written.
namespace cli {

struct UpdCommand {
    std::optional<int> id; // one document, else the period
    QDate from;
    QDate to;
    QString folder;
    std::optional<TUpdStatus> status; // by the lines when not given
};

// Everything checked before anything is sent; a mistake is a usage error.
UpdCommand ParseUpd(const CliOptions& o);

// Prints {"ok", "files", "failed"} ("failed": each document's "number" and "reason"); exit 0
// when every document was written, 1 otherwise. For one document that cannot be written the
// reason also goes to stderr. Texts whose characters windows-1251 lacks are named on stderr.
CliResult RunUpd(const UpdCommand& c);

} // namespace cli
