#include "support/uSerialSpeedProbe.h"

#include <asm/termbits.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QFile>

std::uint32_t SerialOutputSpeed(const QString& devicePath)
{
    const int fd = ::open(QFile::encodeName(devicePath).constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return 0;
    termios2 t{};
    const bool ok = ::ioctl(fd, TCGETS2, &t) == 0;
    ::close(fd);
    return ok ? t.c_ospeed : 0;
}
