#pragma once

#include <QByteArray>
#include <QString>

// A serial or parallel device file opened for one transfer. Writes are bounded in
// time: a device that stops taking bytes fails the write instead of hanging the worker.
class TDeviceFile final
{
    Q_DISABLE_COPY_MOVE(TDeviceFile)
public:
    TDeviceFile() = default;
    ~TDeviceFile();

    // exclusive: keep other programs off a serial line while we use it (TIOCEXCL).
    bool Open(const QString& path, bool exclusive, QString& error);
    void Close();
    bool IsOpen() const { return Fd >= 0; }
    int Handle() const { return Fd; }

    // Writes all of data within 10 ms per byte + 1000 ms; anything less is a failure.
    bool WriteAll(const char* data, qint64 size, QString& error);

private:
    int Fd = -1;
    bool Exclusive = false;
};
