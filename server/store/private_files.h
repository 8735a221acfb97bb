#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <stdexcept>

class QFileDevice;

namespace kovrel::server {

// The server's files hold passwords (mail), every account's data (the database) and whole
// copies of it (backups): only the user the server runs as may read them, whatever the umask.
// Folders are 0700 and files 0600.

// Creates the folder (and its missing parents) when it is not there, and makes the folder
// itself owner-only, also when it was there before. False when it cannot.
bool MakePrivateFolder(const QString& path);

// Makes an open file owner-only before anything is written to it. False when it cannot.
bool MakePrivate(QFileDevice& file);

// Creates the file empty when it is not there, and makes it owner-only, as for a database that
// the SQL library is about to open. Files beside it named `path` + a suffix (its journals) that
// exist already are made owner-only too. False when it cannot.
bool MakePrivateFile(const QString& path, const QStringList& companionSuffixes = {});

// A file of the server's own that could not be written; DiskFull() when the disk (or the
// user's quota) had no room for it.
class FileError : public std::runtime_error {
public:
    FileError(const QString& message, bool diskFull)
        : std::runtime_error(message.toStdString())
        , m_diskFull(diskFull) {}
    bool DiskFull() const { return m_diskFull; }

private:
    bool m_diskFull;
};

// Writes a file of the server's own whole or not at all: the bytes go, unbuffered, to a
// temporary owner-only file beside it, which reaches the disk and only then takes the file's
// name. On any failure the temporary file is removed and FileError thrown, so no reader ever
// finds an empty or partial file under the name (a buffered writer learns that the disk is
// full only when it flushes, after its writes have "succeeded").
class PrivateFileWriter {
public:
    explicit PrivateFileWriter(QString path);
    ~PrivateFileWriter();
    PrivateFileWriter(const PrivateFileWriter&) = delete;
    PrivateFileWriter& operator=(const PrivateFileWriter&) = delete;

    void Write(QByteArrayView bytes);
    // Flushes to the disk and gives the file its name.
    void Commit();

private:
    [[noreturn]] void fail(const QString& what);

    QString m_path;
    QByteArray m_temporary;
    int m_fd = -1;
};

} // namespace kovrel::server
