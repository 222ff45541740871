#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QProcess;
class QSocketNotifier;

// A serial line made of two ptys joined by socat: the program writes to DevicePath(),
// the test reads what arrives at the other end.
class TPtyPair final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPtyPair)
public:
    explicit TPtyPair(const QString& folder, QObject* parent = nullptr);
    ~TPtyPair() override;

    bool Start();
    QString DevicePath() const { return Folder + QStringLiteral("/ttyA"); }
    const QByteArray& Received() const { return FReceived; }
    void ClearReceived() { FReceived.clear(); }

private:
    void ReadAvailable();

    QString Folder;
    QProcess* Socat;
    int ReadFd = -1;
    QSocketNotifier* Notifier = nullptr;
    QByteArray FReceived;
};
