#include "export_file_name.h"

#include <QDir>
#include <QFileInfo>

QString NewExportPath(const QString& folder, const QString& title, const QDateTime& when,
                      const QString& extension) {
    QString name = title.trimmed();
    for (QChar& c : name)
        if (c.unicode() < u' ' || QStringLiteral("/\\:*?\"<>|").contains(c)) c = u'_';
    const QString base = QDir(folder).filePath(name + when.toString(QStringLiteral(" yyyy-MM-dd HH-mm")));
    QString path = base + u'.' + extension;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QStringLiteral("%1 (%2).%3").arg(base).arg(n).arg(extension);
    return path;
}
