#pragma once

#include <QHash>
#include <QString>

// The device names the user picks ("COM1", "LPT2") and the device files behind them.
// The owner hands in the paths the settings name; a name without one falls back to the
// usual Linux device: COMn -> /dev/ttyS(n-1), LPTn -> /dev/lp(n-1).
using TDevicePaths = QHash<QString, QString>;

QString DevicePathOf(const QString& portName, const TDevicePaths& paths);
