#include "grid_text_file.h"

#include "grid_cell_value.h"
#include "report_grid.h"
#include "windows1251.h"

#include <QSaveFile>

namespace {

constexpr int kRowsPerProgress = 1000;

QString oneLine(QString text) {
    for (QChar& c : text)
        if (c == u'\t' || c == u'\r' || c == u'\n') c = u' ';
    return text;
}

} // namespace

QByteArray GridTextBytes(const TReportGrid& grid, const ExportProgress& progress) {
    QByteArray bytes;
    for (int r = 0; r < grid.RowCount(); ++r) {
        QString line;
        for (int c = 0; c < grid.ColCount(); ++c)
            line += oneLine(TrimCellText(grid.Cells(c, r))) + u'\t';
        line += QStringLiteral(" \r\n");
        bytes += ToWindows1251(line);
        if (progress && (r + 1) % kRowsPerProgress == 0) progress(r + 1, grid.RowCount());
    }
    return bytes;
}

bool WriteGridText(const TReportGrid& grid, const QString& path, QString& error,
                   const ExportProgress& progress) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(GridTextBytes(grid, progress)) >= 0 && file.commit())
        return true;
    error = QStringLiteral("Не удалось записать файл «%1»: %2").arg(path, file.errorString());
    return false;
}
