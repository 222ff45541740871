#include "ports/uCupsConnection.h"

http_t* ConnectToSpooler()
{
    return httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 30000, nullptr);
}
