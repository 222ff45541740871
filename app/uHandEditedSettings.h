#pragma once

#include <QMap>
#include <QString>

class TIniFileStorage;

// Keys that users write into the settings file by hand; the program reads
// them at start-up and never writes them.

// Milliseconds between ESC t and the update-mode command over TCP ("Global",
// "EsctTimeOut"). A value that is no number, negative or above ten minutes gives the default.
inline constexpr int kDefaultEsctTimeOut = 1000;
inline constexpr int kMaxEsctTimeOut = 600000;
int ReadEsctTimeOut(const TIniFileStorage& storage);

// Device path of each serial ("COM1" … "COM4") and parallel ("LPT1" … "LPT4")
// port name, from section "Devices"; an absent or empty key gives
// /dev/ttyS0 … /dev/ttyS3 and /dev/lp0 … /dev/lp3.
using TPortDevices = QMap<QString, QString>;
TPortDevices ReadPortDevices(const TIniFileStorage& storage);

// The firmware catalogue's FTP server, from section "Catalogue" ("Host",
// "Port"); an absent or empty host gives defaultHost, a port outside 1 … 65535 gives 21.
struct TCatalogueServer
{
    QString Host;
    int Port = 21;
};
TCatalogueServer ReadCatalogueServer(const TIniFileStorage& storage, const QString& defaultHost);
