#pragma once

#include "export_progress.h"

#include <QString>
#include <QStringList>

struct TReportGrid;

// The Calc export module (libkovrel_calc.so), loaded from beside the program, from
// ../lib/kovrel beside it, or from the installed library folder, the first time it is needed.
class CalcModule {
public:
    enum class Result { Ok, NoOffice, Failed };
    enum class Method { ByCell, ByRange };

    // The module at `path` (empty: the places above).
    explicit CalcModule(const QString& path = {});

    // Writes the grid's trimmed texts (numbers in the program's formats as numbers, other texts
    // as texts, never formulas) and its column widths into a new spreadsheet: with an empty
    // `storePath` a visible one left open and unsaved for the user, otherwise one that a
    // headless office stores at `storePath` (.ods) and closes. `message` says what went wrong.
    Result Export(const TReportGrid& grid, double scale, const QString& storePath, QString& message,
                  const ExportProgress& progress = {}, Method method = Method::ByRange) const;

    static QStringList SearchPaths();

private:
    QString m_path;
};

// What the user is told when the office suite (or the module that reaches it) is missing or
// does not start: that it is so, why, and what to install.
QString OfficeMissingMessage(const QString& detail);
