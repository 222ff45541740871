#pragma once

#include <QHash>
#include <QString>

class TIniFileStorage;

// Keys that users write into the settings file by hand; the program reads
// them at start-up and never writes them.

// Milliseconds between ESC t and the update-mode command over TCP ("Global",
// "EsctTimeOut"). A value that is no number, negative or above ten minutes gives the default.
inline constexpr int kDefaultEsctTimeOut = 1000;
inline constexpr int kMaxEsctTimeOut = 600000;
int ReadEsctTimeOut(const TIniFileStorage& storage);

// The device paths that section "Devices" gives the serial ("COM1" … "COM4")
// and parallel ("LPT1" … "LPT4") port names, under those names whatever case
// the file spells them in. Names without a path are left out: where the port
// is opened they stand for the usual /dev/ttyS0 … /dev/ttyS3 and /dev/lp0 … /dev/lp3.
using TPortDevices = QHash<QString, QString>;
TPortDevices ReadPortDevices(const TIniFileStorage& storage);

// The firmware catalogue's FTP server, from section "Catalogue" ("Host",
// "Port"); the host is empty when the file names none (the program's own host
// applies then), a port outside 1 … 65535 gives 21.
struct TCatalogueHostPort
{
    QString Host;
    int Port = 21;
};
TCatalogueHostPort ReadCatalogueHostPort(const TIniFileStorage& storage);
