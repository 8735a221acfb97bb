#include "grid_export.h"

#include "calc_module.h"
#include "export_file_name.h"
#include "grid_text_file.h"
#include "grid_workbook.h"
#include "user_interaction.h"

#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <QUrl>

QString ExportGridToExcel(const TReportGrid& grid, const QString& title, double scale, const QString& folder,
                          const ExportProgress& progress) {
    const QString path = NewExportPath(folder, title, QDateTime::currentDateTime(), QStringLiteral("xlsx"));
    QString error;
    if (!WriteGridWorkbook(grid, scale, path, title, error, progress)) {
        CurrentUserInteraction().showError(error);
        return {};
    }
    if (!CurrentUserInteraction().openUrl(QUrl::fromLocalFile(path).toString()))
        ShowInfo(QStringLiteral("Книга сохранена в файле «%1», но открыть её не удалось: "
                                "не найдена программа для файлов .xlsx.")
                     .arg(path));
    return path;
}

QString ExportGridToText(const TReportGrid& grid, const QString& caption, const ExportProgress& progress) {
    const QString path =
        AskSaveFileName(FileDialogPurpose::TextExport, QStringLiteral("Сохранить как"), QStringLiteral("*.*"),
                        caption + QStringLiteral(" (текст с разделителями).csv"), QStringLiteral("csv"));
    if (path.isEmpty()) return {};
    QString error;
    if (WriteGridText(grid, path, error, progress)) return path;
    CurrentUserInteraction().showError(error);
    return {};
}

bool ExportGridToCalc(const TReportGrid& grid, double scale, const CalcModule& module,
                      const ExportProgress& progress) {
    QString message;
    switch (module.Export(grid, scale, QString(), message, progress)) {
    case CalcModule::Result::Ok:
        return true;
    case CalcModule::Result::NoOffice:
        ShowInfo(message);
        return false;
    case CalcModule::Result::Failed:
        CurrentUserInteraction().showError(message);
        return false;
    }
    return false;
}

QString DocumentsFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    QDir().mkpath(folder);
    return folder;
}
