#include "ports/uDevicePaths.h"

#include <QRegularExpression>

QString DevicePathOf(const QString& portName, const TDevicePaths& paths)
{
    const auto it = paths.constFind(portName);
    if (it != paths.constEnd() && !it.value().isEmpty())
        return it.value();
    static const QRegularExpression numbered(QStringLiteral("^(COM|LPT)([1-9][0-9]*)$"));
    const auto m = numbered.match(portName);
    if (!m.hasMatch())
        return portName;
    const int index = m.captured(2).toInt() - 1;
    return (m.captured(1) == QLatin1String("COM") ? QStringLiteral("/dev/ttyS%1") : QStringLiteral("/dev/lp%1"))
        .arg(index);
}
