#pragma once

#include "settings_file.h"

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

// What the program keeps between runs besides the settings: where its windows stood (by window
// name: the main window, each kind of editor, the preview), the splitter's division and the
// folder each kind of file dialog last chose. It lives in a file of its own beside the settings
// file, so that "kovrel.ini" keeps only its own keys. Nothing else is kept: periods, dates,
// choices, column widths and filters start afresh on every run.
//
// A missing or damaged file, and any value in it that does not read as what it should be, count
// as nothing kept. Every write goes to the file at once (TSettingsFile).
class TStateFile {
public:
    explicit TStateFile(QString path);

    const QString& Path() const { return m_file.Path(); }

    // "kovrel-state.ini" in the settings file's folder.
    static QString PathBeside(const QString& settingsPath);

    struct Place {
        QRect geometry; // the window's client area when not maximized
        bool maximized = false;
    };
    std::optional<Place> WindowPlace(const QString& window) const;
    void SetWindowPlace(const QString& window, const Place& place);

    // The sizes of a splitter's parts, left to right; empty when none are kept.
    QList<int> SplitterSizes(const QString& splitter) const;
    void SetSplitterSizes(const QString& splitter, const QList<int>& sizes);

    // The folder a file dialog of this purpose last chose; empty when none is kept or the folder
    // no longer exists.
    QString Folder(const QString& purpose) const;
    void SetFolder(const QString& purpose, const QString& folder);

private:
    static QString keyOf(const QString& name);
    // Non-negative integers separated by ","; nothing unless there are `min`…`max` of them.
    static QList<int> numbers(const QString& text, qsizetype min, qsizetype max);

    TSettingsFile m_file;
};

// The state file of this run, or null (tools and tests that keep nothing). The main window
// installs its own for its lifetime.
TStateFile* CurrentStateFile();
void SetCurrentStateFile(TStateFile* state);
