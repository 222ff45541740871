#include "ports/uSerialLine.h"

#include <cerrno>
#include <cstring>

#include <termios.h>

#include "ports/uSerialSpeed.h"

namespace {

speed_t StandardSpeed(std::uint32_t baud)
{
    switch (baud) {
    case 50: return B50;
    case 75: return B75;
    case 110: return B110;
    case 134: return B134;
    case 150: return B150;
    case 200: return B200;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 1800: return B1800;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 500000: return B500000;
    case 576000: return B576000;
    case 921600: return B921600;
    case 1000000: return B1000000;
    case 1152000: return B1152000;
    case 1500000: return B1500000;
    case 2000000: return B2000000;
    default: return B0;
    }
}

bool ApplyFraming(termios& t, const TSerialSettings& s, QString& error)
{
    tcflag_t size = 0;
    switch (s.ByteSize) {
    case 5: size = CS5; break;
    case 6: size = CS6; break;
    case 7: size = CS7; break;
    case 8: size = CS8; break;
    default:
        error = QStringLiteral("unsupported data bits %1").arg(s.ByteSize);
        return false;
    }
    t.c_cflag = (t.c_cflag & ~CSIZE) | size;

    switch (s.Parity) {
    case 0: t.c_cflag &= ~(PARENB | PARODD); break;
    case 1: t.c_cflag |= PARENB | PARODD; break;
    case 2: t.c_cflag = (t.c_cflag | PARENB) & ~PARODD; break;
    default:
        error = QStringLiteral("unsupported parity code %1").arg(s.Parity);
        return false;
    }

    switch (s.StopBits) {
    case 0: t.c_cflag &= ~CSTOPB; break;
    case 2: t.c_cflag |= CSTOPB; break;
    default:
        // termios knows one or two stop bits only; sending with a different framing
        // than the printer expects would garble every byte.
        error = QStringLiteral("1.5 stop bits cannot be set on this system");
        return false;
    }
    return true;
}

} // namespace

bool ApplySerialSettings(int fd, const TSerialSettings& settings, QString& error)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0) {
        error = QStringLiteral("tcgetattr: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (!ApplyFraming(t, settings, error))
        return false;
    const speed_t speed = StandardSpeed(settings.BaudRate);
    if (speed != B0) {
        ::cfsetospeed(&t, speed);
        ::cfsetispeed(&t, speed);
    }
    if (::tcsetattr(fd, TCSANOW, &t) != 0) {
        error = QStringLiteral("tcsetattr: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (speed == B0 && !SetArbitrarySerialSpeed(fd, settings.BaudRate)) {
        error = QStringLiteral("speed %1 rejected: %2")
                    .arg(settings.BaudRate)
                    .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return true;
}
