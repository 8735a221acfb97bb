#pragma once

#include "doc_print_data.h"
#include "upd_document.h"

#include <QString>
#include <QStringList>

#include <optional>

// The УПД of a sales waybill, made from what its print forms read: the header as stored, the
// lines in the paper's order and both parties' requisites, with each line's figures from the
// functions the papers print them with (TRecDocItem::GetFigures, GetCenNotNds), so that the file
// and the paper УПД agree to the kopeck. Everything the format needs and the requisites or lines
// lack or hold in a form it cannot take is gathered into one message, and no document is made.
//
// Kit component lines are left out, as on the paper УПД: they carry no price of their own, the
// kit's line is what was sold, and the totals are the same. The status is the caller's, or the
// paper's (TDocPrintData::UpdStatus): 1 (a VAT invoice too) when any line carries VAT, 2 when
// none does.
class TUpdBuilder {
public:
    TUpdBuilder(const TDocPrintData& data, std::optional<TUpdStatus> status);

    bool Ok() const { return m_problems.isEmpty(); }
    const TUpdDocument& Document() const { return m_doc; }
    // One sentence naming every party's field to fill in and every line or value to fix.
    QString Failure() const;

    // A sole trader's name from the requisites: the head's name, or the full name without its
    // leading "ИП" or "Индивидуальный предприниматель" when that is empty. Surname and first name
    // are needed; nothing when they are not there.
    static std::optional<TUpdPerson> SoleTraderName(const TRecBank& b);
    // The first 15-digit number of the text, the ОГРНИП of a sole trader; empty when none.
    static QString FirstOgrnip(const QString& text);

private:
    void readParties(const TDocPrintData& data);
    TUpdParty party(const TRecBank* b, bool seller, const QString& whose);
    void readLines(const TDocPrintData& data);
    void readLine(const TRecDocItem& item, int row);

    TUpdDocument m_doc;
    QList<int> m_rows; // each line's place in the editor's grid and on the paper
    QStringList m_problems;
};
