#include "app/uHandEditedSettings.h"

#include "app/uIniFileStorage.h"

int ReadEsctTimeOut(const TIniFileStorage& storage)
{
    return storage.ReadInteger(QStringLiteral("Global"), QStringLiteral("EsctTimeOut"), kDefaultEsctTimeOut, 0,
                               kMaxEsctTimeOut);
}

TPortDevices ReadPortDevices(const TIniFileStorage& storage)
{
    const QString section = QStringLiteral("Devices");
    TPortDevices devices;
    const auto add = [&](const QString& name, const QString& fallback) {
        const QString path = storage.ReadString(section, name).trimmed();
        devices.insert(name, path.isEmpty() ? fallback : path);
    };
    for (int i = 0; i < 4; ++i) {
        add(QStringLiteral("COM%1").arg(i + 1), QStringLiteral("/dev/ttyS%1").arg(i));
        add(QStringLiteral("LPT%1").arg(i + 1), QStringLiteral("/dev/lp%1").arg(i));
    }
    return devices;
}

TCatalogueServer ReadCatalogueServer(const TIniFileStorage& storage, const QString& defaultHost)
{
    const QString section = QStringLiteral("Catalogue");
    TCatalogueServer server;
    server.Host = storage.ReadString(section, QStringLiteral("Host")).trimmed();
    if (server.Host.isEmpty())
        server.Host = defaultHost;
    server.Port = storage.ReadInteger(section, QStringLiteral("Port"), 21, 1, 65535);
    return server;
}
