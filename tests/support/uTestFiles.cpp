#include "support/uTestFiles.h"

#include <QCryptographicHash>
#include <QFile>

QByteArray PatternBytes(qint64 size, quint32 seed)
{
    QByteArray out(size, Qt::Uninitialized);
    quint32 x = seed * 2654435761u + 1;
    for (qint64 i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        out[i] = static_cast<char>(x);
    }
    return out;
}

QByteArray WritePatternFile(const QString& path, qint64 size, quint32 seed)
{
    const QByteArray bytes = PatternBytes(size, seed);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return bytes;
}

QByteArray Sha256(const QByteArray& data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}
