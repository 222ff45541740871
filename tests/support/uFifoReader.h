#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// A parallel port stand-in: a FIFO whose reader keeps what the program writes. The
// reader holds the FIFO for reading and writing, so consecutive transfers append.
class TFifoReader final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFifoReader)
public:
    explicit TFifoReader(const QString& path, QObject* parent = nullptr);
    ~TFifoReader() override;

    bool Start();
    // The printer goes away once this many bytes have arrived: the FIFO loses its
    // only reader. 0: never.
    void SetHangUpAfter(qint64 bytes) { HangUpAfter = bytes; }
    const QString& DevicePath() const { return Path; }
    const QByteArray& Received() const { return FReceived; }

private:
    void ReadAvailable();
    void HangUp();

    QString Path;
    int Fd = -1;
    QSocketNotifier* Notifier = nullptr;
    QByteArray FReceived;
    qint64 HangUpAfter = 0;
};
