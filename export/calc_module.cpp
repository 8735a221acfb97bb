#include "calc_module.h"

#include "calc/calc_module_api.h"
#include "grid_cell_value.h"
#include "report_grid.h"
#include "screen_scale.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QUrl>

#include <vector>

namespace {

const QString kModuleName = QStringLiteral("libkovrel_calc.so");
constexpr int kMessageSize = 2048;

void reportProgress(void* context, int done, int total) {
    (*static_cast<const ExportProgress*>(context))(done, total);
}

// The cells of the job, row after row, with the UTF-8 texts they point into.
struct JobCells {
    JobCells(const TReportGrid& grid) {
        const int count = grid.RowCount() * grid.ColCount();
        texts.reserve(count);
        cells.reserve(count);
        for (int r = 0; r < grid.RowCount(); ++r)
            for (int c = 0; c < grid.ColCount(); ++c) {
                const std::optional<GridNumber> number = ProgramNumber(grid.Cells(c, r));
                texts.push_back(number ? QByteArray() : TrimCellText(grid.Cells(c, r)).toUtf8());
                cells.push_back({texts.back().constData(), number ? number->value : 0, number ? 1 : 0});
            }
    }
    std::vector<QByteArray> texts;
    std::vector<KovrelCalcCell> cells;
};

} // namespace

CalcModule::CalcModule(const QString& path)
    : m_path(path) {}

QStringList CalcModule::SearchPaths() {
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.filePath(kModuleName), program.filePath(QStringLiteral("../lib/kovrel/") + kModuleName),
            QStringLiteral(KOVREL_INSTALL_LIBDIR "/kovrel/") + kModuleName};
}

CalcModule::Result CalcModule::Export(const TReportGrid& grid, double scale, const QString& storePath,
                                      QString& message, const ExportProgress& progress, Method method) const {
    QString path = m_path;
    if (path.isEmpty())
        for (const QString& candidate : SearchPaths())
            if (QFileInfo::exists(candidate)) {
                path = candidate;
                break;
            }
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        message =
            OfficeMissingMessage(QStringLiteral("не установлен модуль экспорта в Calc %1").arg(kModuleName));
        return Result::NoOffice;
    }
    // Loaded for the run of the program: the office's libraries do not unload cleanly.
    QLibrary library(path);
    library.setLoadHints(QLibrary::PreventUnloadHint);
    const auto version = reinterpret_cast<KovrelCalcAbiVersionFn>(library.resolve("kovrel_calc_abi_version"));
    const auto run = reinterpret_cast<KovrelCalcExportFn>(library.resolve("kovrel_calc_export"));
    if (!version || !run) {
        message = OfficeMissingMessage(library.errorString());
        return Result::NoOffice;
    }
    if (version() != KOVREL_CALC_ABI_VERSION) {
        message = OfficeMissingMessage(QStringLiteral("модуль %1 другой версии").arg(path));
        return Result::NoOffice;
    }

    const JobCells cells(grid);
    std::vector<int> widths;
    for (const int pixels : grid.Widths)
        widths.push_back(CalcColumnWidth(pixels, scale));
    const QByteArray url = storePath.isEmpty()
                               ? QByteArray()
                               : QUrl::fromLocalFile(QFileInfo(storePath).absoluteFilePath()).toEncoded();
    const KovrelCalcJob job{grid.RowCount(),
                            grid.ColCount(),
                            cells.cells.data(),
                            widths.data(),
                            method == Method::ByCell ? KOVREL_CALC_BY_CELL : KOVREL_CALC_BY_RANGE,
                            storePath.isEmpty() ? nullptr : url.constData(),
                            progress ? reportProgress : nullptr,
                            const_cast<ExportProgress*>(&progress)};
    char text[kMessageSize] = "";
    switch (run(&job, text, kMessageSize)) {
    case KOVREL_CALC_OK:
        return Result::Ok;
    case KOVREL_CALC_NO_OFFICE:
        message = OfficeMissingMessage(QString::fromUtf8(text));
        return Result::NoOffice;
    default:
        message = QStringLiteral("Экспорт в Calc прерван: %1").arg(QString::fromUtf8(text));
        return Result::Failed;
    }
}

QString OfficeMissingMessage(const QString& detail) {
    return QStringLiteral("Экспорт в Calc невозможен: офисный пакет LibreOffice не найден или не запускается "
                          "(%1).\nУстановите LibreOffice Calc и модуль экспорта Kovrel в Calc "
                          "(пакеты libreoffice-calc и kovrel-calc).")
        .arg(detail);
}
