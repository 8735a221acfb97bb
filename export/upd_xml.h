#pragma once

#include "upd_document.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// The XML e-document of a УПД in the tax service's format 5.03 (КНД 1115131): the seller's
// information, in windows-1251, under the file name the format prescribes. Numbers are written
// for machines ("1234.50", "2.5"), whatever the locale. A text is written as it is, escaped;
// characters the code page cannot hold, and control characters XML cannot carry, become "?",
// and LostTexts() names the texts that lost some.
class TUpdXml {
public:
    // `guid` is the file's 36-character identifier, `made` the moment the file is made.
    TUpdXml(const TUpdDocument& doc, const QString& guid, const QDateTime& made);

    // "ON_NSCHFDOPPR_<buyer's ID>_<seller's ID>_<date made>_<guid>_0_0_0_0_0_00".
    QString FileId() const { return m_fileId; }
    QString FileName() const { return m_fileId + QStringLiteral(".xml"); }
    const QByteArray& Bytes() const { return m_bytes; }
    // As a person names them: "наименование товара в строке 3", "адрес покупателя".
    const QStringList& LostTexts() const { return m_lost; }

    // The file identifier of the format: the prefix, the recipient's and the sender's
    // participant IDs, the date, the guid, the flags of goods under traceability, marking,
    // alcohol, tobacco and petroleum (none here) and the code "00", joined by "_".
    static QString FileIdOf(const QString& recipient, const QString& sender, const QDate& date,
                            const QString& guid);

    // The document names the format asks for (НаимДокОпр).
    static QString DocumentName(TUpdStatus status);

private:
    QString m_fileId;
    QByteArray m_bytes;
    QStringList m_lost;
};
