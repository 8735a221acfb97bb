#pragma once

#include "doc_print_data.h"
#include "upd_document.h"

#include <QString>
#include <QStringList>

#include <optional>

// The one way a УПД leaves the program, for the sales waybill editor and for kovrel-cli alike:
// made from what the paper forms read (TUpdBuilder), written as XML (TUpdXml) into a folder as a
// new file under the name the format prescribes. Nothing is written when the document cannot be
// made; an existing file is never replaced; the file appears under its name only once whole.
struct TUpdExport {
    QString path;     // the file written, empty when none
    QString failure;  // why none was written, one sentence
    QStringList lost; // the texts in which characters became "?", as a person names them

    static TUpdExport Write(const TDocPrintData& data, const QString& folder,
                            std::optional<TUpdStatus> status = std::nullopt);
    // The message of `lost` for a person: which texts of which document lost characters.
    QString LostMessage(int documentNumber) const;
};
