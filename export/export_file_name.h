#pragma once

#include <QDateTime>
#include <QString>

// A new file in `folder` named after what it holds and when it was made, never one that
// exists: "Остатки товаров 2026-12-09 14-03.xlsx", then "… 14-03 (2).xlsx" and so on.
// Characters that file systems refuse in names become "_".
QString NewExportPath(const QString& folder, const QString& title, const QDateTime& when,
                      const QString& extension);
