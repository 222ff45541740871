#include "app/uHandEditedSettings.h"

#include "app/uIniFileStorage.h"

int ReadEsctTimeOut(const TIniFileStorage& storage)
{
    return storage.ReadInteger(QStringLiteral("Global"), QStringLiteral("EsctTimeOut"), kDefaultEsctTimeOut,
                               0, kMaxEsctTimeOut);
}

TPortDevices ReadPortDevices(const TIniFileStorage& storage)
{
    const QString section = QStringLiteral("Devices");
    TPortDevices devices;
    for (const char* kind : {"COM", "LPT"}) {
        for (int i = 1; i <= 4; ++i) {
            const QString name = QStringLiteral("%1%2").arg(QLatin1String(kind)).arg(i);
            const QString path = storage.ReadString(section, name).trimmed();
            if (!path.isEmpty())
                devices.insert(name, path);
        }
    }
    return devices;
}

TCatalogueHostPort ReadCatalogueHostPort(const TIniFileStorage& storage)
{
    const QString section = QStringLiteral("Catalogue");
    TCatalogueHostPort server;
    server.Host = storage.ReadString(section, QStringLiteral("Host")).trimmed();
    server.Port = storage.ReadInteger(section, QStringLiteral("Port"), 21, 1, 65535);
    return server;
}
