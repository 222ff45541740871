#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A real FTP server (pyftpdlib) on 127.0.0.1 with the catalogue's account,
// serving a temporary folder. Started on a free port, stopped by the destructor.
class TFtpPeer final
{
    Q_DISABLE_COPY_MOVE(TFtpPeer)
public:
    struct TOptions
    {
        QByteArray listing;           // sent verbatim for LIST; empty: a real listing of the folder
        bool cannedListing = false;   // true: send `listing` even when it is empty
        QString refuseType;           // e.g. "A": TYPE A is answered 504
        bool endListWith426 = false;  // the listing's data is followed by a 426 reply
        QString password = QStringLiteral("Hq8mTw");
    };

    TFtpPeer() = default;
    ~TFtpPeer();

    // Returns false and says why in *error when the server did not come up.
    bool Start(const TOptions& options, QString* error);
    void Stop();

    int Port() const { return port_; }
    QString RootFolder() const { return dir_.path() + QStringLiteral("/root"); }
    // Every command the server received so far, in order.
    QStringList Commands() const;
    int CountCommands(const QString& prefix) const;

private:
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
};
