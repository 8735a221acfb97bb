#pragma once

#include <QString>
#include <QStringList>

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

} // namespace kovrel::server
