#include "ports/uSerialSpeed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

bool SetArbitrarySerialSpeed(int fd, std::uint32_t baudRate)
{
    if (baudRate == 0)
        return false;
    termios2 t{};
    if (::ioctl(fd, TCGETS2, &t) != 0)
        return false;
    t.c_cflag = (t.c_cflag & ~CBAUD) | BOTHER;
    t.c_cflag = (t.c_cflag & ~(CBAUD << IBSHIFT)) | (BOTHER << IBSHIFT);
    t.c_ospeed = baudRate;
    t.c_ispeed = baudRate;
    return ::ioctl(fd, TCSETS2, &t) == 0;
}
