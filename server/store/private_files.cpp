#include "private_files.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QStringList>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace kovrel::server {

namespace {

constexpr QFileDevice::Permissions kFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions kFolder = kFile | QFileDevice::ExeOwner;

} // namespace

bool MakePrivateFolder(const QString& path) {
    return QDir().mkpath(path) && QFile::setPermissions(path, kFolder);
}

bool MakePrivate(QFileDevice& file) {
    return file.setPermissions(kFile);
}

bool MakePrivateFile(const QString& path, const QStringList& companionSuffixes) {
    // Created owner-only at once: a file made readable first could be opened by someone else
    // before its mode changed, and read from later.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST) return false;
    if (fd >= 0) ::close(fd);
    if (!QFile::setPermissions(path, kFile)) return false;
    for (const QString& suffix : companionSuffixes)
        if (QFileInfo::exists(path + suffix) && !QFile::setPermissions(path + suffix, kFile)) return false;
    return true;
}

} // namespace kovrel::server
