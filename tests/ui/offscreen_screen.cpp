#include "offscreen_screen.h"

#include <QFile>
#include <QTemporaryDir>

bool UseOffscreenScreen(const QTemporaryDir& dir, QSize size) {
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(QStringLiteral(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": %1, "height": %2,
                 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                   .arg(size.width())
                   .arg(size.height())
                   .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
    return true;
}
