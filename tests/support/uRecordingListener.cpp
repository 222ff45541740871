#include "support/uRecordingListener.h"

#include <algorithm>

#include <sys/socket.h>

#include <QTcpServer>
#include <QTcpSocket>

QByteArray TRecordingListener::TConnection::Data() const
{
    QByteArray all;
    for (const TChunk& c : Chunks)
        all += c.Bytes;
    return all;
}

TRecordingListener::TRecordingListener(QObject* parent) : QObject(parent), Server(new QTcpServer(this))
{
    Clock.start();
    Server->listen(QHostAddress::LocalHost, 0);
    connect(Server, &QTcpServer::newConnection, this, &TRecordingListener::Accept);
}

TRecordingListener::~TRecordingListener() = default;

quint16 TRecordingListener::Port() const
{
    return Server->serverPort();
}

int TRecordingListener::ClosedCount() const
{
    return static_cast<int>(std::count_if(FConnections.begin(), FConnections.end(),
                                          [](const TConnection& c) { return c.Closed(); }));
}

void TRecordingListener::Accept()
{
    while (QTcpSocket* socket = Server->nextPendingConnection()) {
        const int index = static_cast<int>(FConnections.size());
        FConnections.append(TConnection{Clock.elapsed(), -1, {}});
        if (Stalled)
            socket->setReadBufferSize(1);
        if (ResetAfter > 0 || Stalled) {
            // A small window, so that the sender's data waits on its side of the line.
            const int small = 16384;
            ::setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        }
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, index] { Read(socket, index); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket, index] {
            Read(socket, index);
            FConnections[index].ClosedAtMs = Clock.elapsed();
            socket->deleteLater();
        });
    }
}

void TRecordingListener::Read(QTcpSocket* socket, int index)
{
    TConnection& c = FConnections[index];
    const QByteArray bytes = socket->readAll();
    if (!bytes.isEmpty())
        c.Chunks.append(TChunk{Clock.elapsed(), bytes});
    if (ResetAfter > 0 && c.Data().size() >= ResetAfter && !c.Closed()) {
        const linger abortive{1, 0};
        ::setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abortive,
                     sizeof abortive);
        c.ClosedAtMs = Clock.elapsed();
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
}
