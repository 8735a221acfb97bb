#include "settings_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

namespace {

const QString kFileName = QStringLiteral("kovrel.ini");

struct IniText {
    QStringList lines;
    QString newline = QStringLiteral("\n");
    bool bom = false;
};

IniText readIni(const QString& path) {
    IniText ini;
    QFile file(path);
    if (file.size() > TSettingsFile::kMaxSize || !file.open(QIODevice::ReadOnly)) return ini;
    QByteArray bytes = file.read(TSettingsFile::kMaxSize + 1);
    if (bytes.size() > TSettingsFile::kMaxSize || bytes.contains('\0')) return ini;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        ini.bom = true;
        bytes.remove(0, 3);
    }
    if (bytes.contains("\r\n")) ini.newline = QStringLiteral("\r\n");
    QString text = QString::fromUtf8(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    ini.lines = text.split(QLatin1Char('\n'));
    if (!ini.lines.isEmpty() && ini.lines.last().isEmpty()) ini.lines.removeLast();
    return ini;
}

// The section's name when the line is a section header.
bool sectionHeader(const QString& line, QString& name) {
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']'))) return false;
    name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

// Key and value of a "Key=Value" line; comments and other lines have none.
bool keyValue(const QString& line, QString& key, QString& value) {
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'))) return false;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq <= 0) return false;
    key = t.left(eq).trimmed();
    value = t.mid(eq + 1).trimmed();
    return !key.isEmpty();
}

bool same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

struct Position {
    qsizetype sectionEnd = -1; // line after the section's last key line; -1 without the section
    qsizetype keyLine = -1;
};

Position find(const QStringList& lines, const QString& section, const QString& key) {
    Position pos;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString name, k, v;
        if (sectionHeader(lines[i], name)) {
            inSection = same(name, section);
            if (inSection && pos.sectionEnd < 0) pos.sectionEnd = i + 1;
            continue;
        }
        if (!inSection || !keyValue(lines[i], k, v)) continue;
        if (pos.sectionEnd >= 0 && pos.keyLine < 0) pos.sectionEnd = i + 1;
        if (same(k, key) && pos.keyLine < 0) pos.keyLine = i;
    }
    return pos;
}

} // namespace

TSettingsFile::TSettingsFile(QString path)
    : m_path(std::move(path)) {}

QString TSettingsFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    const IniText ini = readIni(m_path);
    const Position pos = find(ini.lines, section, key);
    QString k, v;
    if (pos.keyLine >= 0 && keyValue(ini.lines[pos.keyLine], k, v)) return v;
    return def;
}

bool TSettingsFile::WriteString(const QString& section, const QString& key, const QString& value) {
    IniText ini = readIni(m_path);
    const Position pos = find(ini.lines, section, key);
    const QString line = key + QLatin1Char('=') + value;
    if (pos.keyLine >= 0) {
        ini.lines[pos.keyLine] = line;
    } else if (pos.sectionEnd >= 0) {
        ini.lines.insert(pos.sectionEnd, line);
    } else {
        ini.lines << QLatin1Char('[') + section + QLatin1Char(']') << line;
    }

    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath())) return false;
    const QFileDevice::Permissions perms =
        info.exists() ? info.permissions() : (QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.setPermissions(perms);
    QByteArray bytes = ini.bom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    bytes += (ini.lines.join(ini.newline) + ini.newline).toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString TSettingsFile::Locate(const QString& exeDir, const QString& userConfigDir) {
    const QFileInfo dir(exeDir);
    const QString folder = dir.isDir() && dir.isWritable() ? exeDir : userConfigDir;
    return QDir(folder).filePath(kFileName);
}

QString TSettingsFile::DefaultPath() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString userConfigDir = QDir(config).filePath(QStringLiteral("kovrel"));
    const QString exeDir = QCoreApplication::applicationDirPath();
    // An installed program's folder is shared by every user of the machine, even where one of
    // them (root) may write it.
    const QString installed = QFileInfo(QStringLiteral(KOVREL_INSTALL_BINDIR)).canonicalFilePath();
    if (!installed.isEmpty() && QFileInfo(exeDir).canonicalFilePath() == installed)
        return QDir(userConfigDir).filePath(kFileName);
    return Locate(exeDir, userConfigDir);
}
