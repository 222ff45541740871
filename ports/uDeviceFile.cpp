#include "ports/uDeviceFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>

namespace {

QString ErrnoText(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

TDeviceFile::~TDeviceFile()
{
    Close();
}

bool TDeviceFile::Open(const QString& path, bool exclusive, QString& error)
{
    Close();
    // Non-blocking so that a write can be bounded in time; a FIFO without a reader
    // (nothing attached) fails here with ENXIO instead of blocking the open.
    const int flags = (exclusive ? O_RDWR : O_WRONLY) | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
    Fd = ::open(QFile::encodeName(path).constData(), flags);
    if (Fd < 0) {
        error = path + QStringLiteral(": ") + ErrnoText("open");
        return false;
    }
    Exclusive = exclusive && ::ioctl(Fd, TIOCEXCL) == 0;
    return true;
}

void TDeviceFile::Close()
{
    if (Fd < 0)
        return;
    // The exclusive mark outlives close() on some drivers; leave the line as we found it.
    if (Exclusive)
        ::ioctl(Fd, TIOCNXCL);
    ::close(Fd);
    Fd = -1;
    Exclusive = false;
}

bool TDeviceFile::WriteAll(const char* data, qint64 size, QString& error)
{
    if (Fd < 0) {
        error = QStringLiteral("device not open");
        return false;
    }
    const qint64 budgetMs = 10 * size + 1000;
    QElapsedTimer clock;
    clock.start();
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::write(Fd, data + done, static_cast<size_t>(size - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            error = ErrnoText("write");
            return false;
        }
        const qint64 left = budgetMs - clock.elapsed();
        if (left <= 0) {
            error = QStringLiteral("write timed out after %1 of %2 bytes").arg(done).arg(size);
            return false;
        }
        pollfd p{Fd, POLLOUT, 0};
        const int r = ::poll(&p, 1, static_cast<int>(left));
        if (r < 0 && errno != EINTR) {
            error = ErrnoText("poll");
            return false;
        }
        if (r > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL)) && !(p.revents & POLLOUT)) {
            error = QStringLiteral("device hung up after %1 of %2 bytes").arg(done).arg(size);
            return false;
        }
    }
    return true;
}
