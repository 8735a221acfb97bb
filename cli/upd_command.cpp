#include "upd_command.h"

#include "date_time.h"
#include "form_load.h"
#include "goods_doc_kind.h"
#include "stored_doc_print.h"
#include "upd_export.h"
#include "usage_error.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

namespace cli {

namespace {

QDate dateOption(const std::optional<QString>& value, const char* option) {
    const QDate d = QDate::fromString(value->trimmed(), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        throw UsageError(
            QStringLiteral("%1 must be a date YYYY-MM-DD, not %2").arg(QLatin1String(option), *value));
    return d;
}

// What became of each document, in the order they were taken.
struct Outcome {
    QJsonArray files;
    QJsonArray failed;
    QStringList remarks; // for stderr

    void fail(int number, const QString& reason) {
        failed.append(QJsonObject{{QStringLiteral("number"), number}, {QStringLiteral("reason"), reason}});
    }

    // Writes the УПД of a document read with its lines and requisites.
    void write(const TStoredDocPrint& doc, const UpdCommand& c) {
        const int number = doc.Data().Rec().ID;
        const TUpdExport upd = TUpdExport::Write(doc.Data(), c.folder, c.status);
        if (!upd.failure.isEmpty()) return fail(number, upd.failure);
        files.append(upd.path);
        if (!upd.lost.isEmpty()) remarks << upd.LostMessage(number);
    }
};

// The header of one document, found as print-doc finds it.
void writeOne(const UpdCommand& c, Outcome& out) {
    TStoredDocPrint doc;
    QString failure;
    if (!doc.Read(NklKind(), *c.id, failure)) return out.fail(*c.id, failure);
    out.write(doc, c);
}

// The period's documents, oldest first; false when the journal cannot be read.
bool writePeriod(const UpdCommand& c, Outcome& out) {
    TFormLoad fl;
    RecordList<TRecDoc> journal;
    fl.SelectNklList(journal, QString(), kovrel::EncodeDate(c.from.year(), c.from.month(), c.from.day()),
                     kovrel::EncodeDate(c.to.year(), c.to.month(), c.to.day()));
    if (fl.Failed()) {
        out.remarks << QStringLiteral("the journal could not be read: %1").arg(fl.MemoInfo.last());
        return false;
    }
    std::sort(journal.begin(), journal.end(), [](const auto& a, const auto& b) {
        return std::pair(a->DocDate, a->ID) < std::pair(b->DocDate, b->ID);
    });
    for (const auto& rec : journal) {
        TStoredDocPrint doc;
        QString failure;
        if (doc.ReadDocument(NklKind(), *rec, failure))
            out.write(doc, c);
        else
            out.fail(rec->ID, failure);
    }
    return true;
}

} // namespace

UpdCommand ParseUpd(const CliOptions& o) {
    const QStringList& p = o.positional;
    if (p.size() < 2 || p[1] != QLatin1String("nkl"))
        throw UsageError(
            QStringLiteral("upd makes the УПД of sales waybills: upd nkl ID or upd nkl --from … --to …"));
    if (p.size() > 3) throw UsageError(QStringLiteral("unexpected argument %1").arg(p[3]));
    if (o.format) throw UsageError(QStringLiteral("upd writes XML files; leave out --format"));
    if (!o.out) throw UsageError(QStringLiteral("upd needs --out DIR, the folder of the files"));
    UpdCommand c;
    c.folder = *o.out;
    if (const auto status = UpdStatusOption(o)) c.status = static_cast<TUpdStatus>(*status);
    if (p.size() == 3) {
        if (o.from || o.to) throw UsageError(QStringLiteral("upd takes either an ID or --from and --to"));
        bool ok = false;
        c.id = p[2].toInt(&ok);
        if (!ok || *c.id < 1)
            throw UsageError(QStringLiteral("ID must be a document number, not %1").arg(p[2]));
    } else {
        if (!o.from || !o.to) throw UsageError(QStringLiteral("upd nkl needs an ID, or --from and --to"));
        c.from = dateOption(o.from, "--from");
        c.to = dateOption(o.to, "--to");
        if (c.from > c.to) throw UsageError(QStringLiteral("--from is after --to"));
    }
    if (!QDir(c.folder).exists()) throw UsageError(QStringLiteral("--out names no folder: %1").arg(c.folder));
    return c;
}

CliResult RunUpd(const UpdCommand& c) {
    Outcome out;
    bool read = true;
    if (c.id)
        writeOne(c, out);
    else
        read = writePeriod(c, out);
    const bool ok = read && out.failed.isEmpty();
    if (c.id && !out.failed.isEmpty())
        out.remarks.prepend(
            QStringLiteral("document %1: %2")
                .arg(*c.id)
                .arg(out.failed.first().toObject().value(QStringLiteral("reason")).toString()));
    OutputDocument doc;
    doc.Add(QStringLiteral("ok"), ok);
    doc.Add(QStringLiteral("files"), out.files);
    doc.Add(QStringLiteral("failed"), out.failed);
    CliResult result;
    result.doc = doc;
    result.exitCode = ok ? 0 : 1;
    result.error = out.remarks.join(QStringLiteral("\nkovrel-cli: "));
    return result;
}

} // namespace cli
