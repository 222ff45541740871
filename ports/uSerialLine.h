#pragma once

#include <QString>

#include <cstdint>

// Line settings of a serial device. Only speed, data bits, parity and stop bits are
// changed; flow control and every other flag keep the device's current values.
struct TSerialSettings
{
    std::uint32_t BaudRate = 115200;
    std::uint8_t ByteSize = 8; // 5..8
    std::uint8_t Parity = 0;   // 0 none, 1 odd, 2 even
    std::uint8_t StopBits = 0; // 0 one, 1 one and a half (no termios form: rejected), 2 two
};

bool ApplySerialSettings(int fd, const TSerialSettings& settings, QString& error);
