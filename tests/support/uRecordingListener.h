#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>

class QTcpServer;
class QTcpSocket;

// A printer's raw port on 127.0.0.1: records every connection's bytes and when they
// came. Runs on the thread that creates it; tests wait with QTRY_*.
class TRecordingListener final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TRecordingListener)
public:
    struct TChunk
    {
        qint64 AtMs;
        QByteArray Bytes;
    };
    struct TConnection
    {
        qint64 OpenedAtMs = 0;
        qint64 ClosedAtMs = -1; // -1 while open
        QList<TChunk> Chunks;
        QByteArray Data() const;
        bool Closed() const { return ClosedAtMs >= 0; }
    };

    explicit TRecordingListener(QObject* parent = nullptr);
    ~TRecordingListener() override;

    quint16 Port() const;
    // Once a connection has received this many bytes it is reset (RST), as a printer
    // that drops the line mid-file; it stops reading before that, so the sender
    // cannot have handed the whole file to the network stack. 0: never.
    void SetResetAfter(qint64 bytes) { ResetAfter = bytes; }

    // A printer that accepts connections but takes nothing from them.
    void SetStalled(bool stalled) { Stalled = stalled; }

    const QList<TConnection>& Connections() const { return FConnections; }
    int ClosedCount() const;

private:
    void Accept();
    void Read(QTcpSocket* socket, int index);

    QTcpServer* Server;
    QElapsedTimer Clock;
    QList<TConnection> FConnections;
    qint64 ResetAfter = 0;
    bool Stalled = false;
};
