#pragma once

#include <QString>

// The program's INI file, kept as plain text that other tools can read and edit: "[Section]"
// lines, "Key=Value" lines, comments and unknown lines kept as they are. Sections and keys match
// regardless of letter case; the first of repeated keys counts. A missing, unreadable or
// malformed file reads as empty values. Every write goes to the file at once and replaces it
// whole (written aside, then renamed), so a crash never leaves half a file; a new file is made
// readable by its owner only, since it holds a password.
class TSettingsFile {
public:
    explicit TSettingsFile(QString path);

    const QString& Path() const { return m_path; }

    QString ReadString(const QString& section, const QString& key, const QString& def = {}) const;
    // False when the file could not be written; the file is then unchanged.
    bool WriteString(const QString& section, const QString& key, const QString& value);

    // "kovrel.ini" beside the executable when its folder is writable, otherwise in the user's
    // configuration folder (an installed program).
    static QString Locate(const QString& exeDir, const QString& userConfigDir);
    // Locate() for this program: its executable's folder and "<config>/kovrel"; always the
    // latter for the installed program.
    static QString DefaultPath();

    static constexpr qint64 kMaxSize = 1 << 20; // a larger file is not a settings file

private:
    QString m_path;
};
