#include "private_files.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QStringList>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

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

PrivateFileWriter::PrivateFileWriter(QString path)
    : m_path(std::move(path))
    , m_temporary(QFile::encodeName(m_path) + ".XXXXXX") {
    // mkostemp makes the file 0600 from the start.
    m_fd = ::mkostemp(m_temporary.data(), O_CLOEXEC);
    if (m_fd < 0) {
        const int error = errno;
        m_temporary.clear(); // nothing to remove
        errno = error;
        fail(QStringLiteral("cannot create"));
    }
}

PrivateFileWriter::~PrivateFileWriter() {
    if (m_fd < 0) return;
    ::close(m_fd);
    ::unlink(m_temporary.constData());
}

void PrivateFileWriter::Write(QByteArrayView bytes) {
    const char* at = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, at, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) fail(QStringLiteral("cannot write"));
        at += written;
        left -= written;
    }
}

void PrivateFileWriter::Commit() {
    if (::fsync(m_fd) != 0) fail(QStringLiteral("cannot flush"));
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0) fail(QStringLiteral("cannot close"));
    if (::rename(m_temporary.constData(), QFile::encodeName(m_path).constData()) != 0)
        fail(QStringLiteral("cannot rename into"));
}

void PrivateFileWriter::fail(const QString& what) {
    const int error = errno;
    if (m_fd >= 0) ::close(std::exchange(m_fd, -1));
    if (!m_temporary.isEmpty()) ::unlink(m_temporary.constData());
    throw FileError(
        QStringLiteral("%1 %2: %3").arg(what, m_path, QString::fromLocal8Bit(std::strerror(error))),
        error == ENOSPC || error == EDQUOT);
}

} // namespace kovrel::server
