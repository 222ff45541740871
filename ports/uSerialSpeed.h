#pragma once

#include <cstdint>

// Sets a speed that has no Bxxx constant (250000, 31250, ...) through the kernel's
// termios2 interface. Kept apart: <asm/termbits.h> cannot live beside <termios.h>.
bool SetArbitrarySerialSpeed(int fd, std::uint32_t baudRate);
