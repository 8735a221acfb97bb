#include "backup_file.h"

#include "backup.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QRegularExpression>

namespace kovrel::server {

namespace {

constexpr qsizetype kHexDigits = 64;
// `,"sha256":"` + digits + `"}`.
constexpr qsizetype kTrailerSize = Backup::kChecksumKey.size() + kHexDigits + 2;

// The checksum at the file's end, or nothing when it does not end in one.
std::optional<QByteArray> trailerOf(QFile& file) {
    if (file.size() < kTrailerSize || !file.seek(file.size() - kTrailerSize)) return std::nullopt;
    static const QRegularExpression form(QStringLiteral("^,\"sha256\":\"([0-9a-f]{64})\"\\}$"));
    const auto m = form.match(QString::fromLatin1(file.read(kTrailerSize)));
    if (!m.hasMatch()) return std::nullopt;
    return m.captured(1).toLatin1();
}

// Whether the bytes before the checksum hash to it.
std::optional<QString> checksumDamage(QFile& file, const QByteArray& expected) {
    file.seek(0);
    QCryptographicHash sum(QCryptographicHash::Sha256);
    for (qint64 left = file.size() - kTrailerSize; left > 0;) {
        const QByteArray chunk = file.read(std::min<qint64>(left, 1 << 20));
        if (chunk.isEmpty()) return QStringLiteral("cannot be read");
        sum.addData(chunk);
        left -= chunk.size();
    }
    if (sum.result().toHex() != expected) return QStringLiteral("changed: its checksum does not match");
    return std::nullopt;
}

// Whether the file begins as this server writes a backup that carries a checksum.
bool beginsChecksummed(QFile& file) {
    static const QRegularExpression head(
        QStringLiteral("^\\{\"format\":\"kovrel-backup\",\"version\":([2-9]|\\d\\d+),"));
    file.seek(0);
    return head.match(QString::fromLatin1(file.read(64))).hasMatch();
}

} // namespace

std::optional<QString> BackupFile::Damage(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("cannot be read: %1").arg(file.errorString());
    if (const auto expected = trailerOf(file)) return checksumDamage(file, *expected);
    if (beginsChecksummed(file)) return QStringLiteral("cut short: it does not end in its checksum");
    // A file made before backups carried a checksum: whole when it reads as JSON.
    file.seek(0);
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(file.readAll(), &error).object();
    if (error.error != QJsonParseError::NoError)
        return QStringLiteral("cut short or changed: %1 at byte %2")
            .arg(error.errorString())
            .arg(error.offset);
    if (o.value(QLatin1String("format")).toString() != QLatin1String("kovrel-backup"))
        return QStringLiteral("not a Kovrel backup");
    if (o.value(QLatin1String("version")).toInt() != 1) return QStringLiteral("its checksum is missing");
    return std::nullopt;
}

std::optional<BackupFile> BackupFile::Read(const QString& path, QString* error) {
    if (const auto damage = Damage(path)) {
        *error = *damage;
        return std::nullopt;
    }
    QFile file(path);
    QJsonParseError parse;
    const QJsonObject o = file.open(QIODevice::ReadOnly)
                              ? QJsonDocument::fromJson(file.readAll(), &parse).object()
                              : QJsonObject();
    BackupFile b;
    b.version = o.value(QLatin1String("version")).toInt();
    b.schema = o.value(QLatin1String("schema")).toInt();
    b.account = o.value(QLatin1String("account")).toString();
    b.created = o.value(QLatin1String("created")).toString();
    b.tables = o.value(QLatin1String("tables")).toObject();
    if (o.value(QLatin1String("format")).toString() != QLatin1String("kovrel-backup") || b.schema <= 0 ||
        b.tables.isEmpty()) {
        *error = QStringLiteral("not a Kovrel backup");
        return std::nullopt;
    }
    if (b.version > Backup::kVersion) {
        *error = QStringLiteral("made by a newer kovrel-server (backup format %1)").arg(b.version);
        return std::nullopt;
    }
    return b;
}

} // namespace kovrel::server
