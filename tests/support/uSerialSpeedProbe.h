#pragma once

#include <cstdint>

#include <QString>

// The output speed a serial device is set to, in baud, whether it was set through a
// Bxxx constant or as an arbitrary rate; 0 when it cannot be read.
std::uint32_t SerialOutputSpeed(const QString& devicePath);
