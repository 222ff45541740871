#include "app/uAtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>

namespace {

QString SystemError(const char* what, int code)
{
    return QStringLiteral("%1: %2").arg(QString::fromUtf8(what), QString::fromLocal8Bit(std::strerror(code)));
}

bool WriteAll(int fd, const char* data, qsizetype size, QString& error)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = SystemError("write", errno);
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// The file that a rename must replace: the target of a symbolic link, so the
// link the user made stays a link.
QByteArray ResolvedTarget(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    char resolved[PATH_MAX];
    struct stat st
    {
    };
    if (::lstat(native.constData(), &st) == 0 && S_ISLNK(st.st_mode) &&
        ::realpath(native.constData(), resolved))
        return QByteArray(resolved);
    return native;
}

void SyncFolderOf(const QByteArray& file)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(file)).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool WriteFileAtomically(const QString& path, const QByteArray& data, QString& error)
{
    const QByteArray target = ResolvedTarget(path);
    QByteArray tempName = target + ".XXXXXX";
    const int fd = ::mkostemp(tempName.data(), O_CLOEXEC);
    if (fd < 0) {
        error = SystemError("mkstemp", errno);
        return false;
    }
    struct stat old
    {
    };
    const mode_t mode = ::stat(target.constData(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    bool ok = WriteAll(fd, data.constData(), data.size(), error);
    if (ok && ::fchmod(fd, mode) != 0) {
        error = SystemError("chmod", errno);
        ok = false;
    }
    // Without the flush a crash soon after the rename may leave an empty file.
    if (ok && ::fsync(fd) != 0) {
        error = SystemError("fsync", errno);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = SystemError("close", errno);
        ok = false;
    }
    if (ok && ::rename(tempName.constData(), target.constData()) != 0) {
        error = SystemError("rename", errno);
        ok = false;
    }
    if (!ok) {
        ::unlink(tempName.constData());
        return false;
    }
    SyncFolderOf(target);
    return true;
}
