#include "support/FtpPeer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

TFtpPeer::~TFtpPeer()
{
    Stop();
}

bool TFtpPeer::Start(const TOptions& options, QString* error)
{
    if (!dir_.isValid() || !QDir(dir_.path()).mkpath(QStringLiteral("root"))) {
        *error = QStringLiteral("no temporary folder");
        return false;
    }
    QStringList args{qEnvironmentVariable("VORN_SOURCE_DIR") + QStringLiteral("/tests/support/ftp_peer.py"),
                     RootFolder(), dir_.path() + QStringLiteral("/commands.log")};
    if (options.cannedListing || !options.listing.isEmpty()) {
        const QString listing = dir_.path() + QStringLiteral("/listing.bin");
        QFile f(listing);
        if (!f.open(QIODevice::WriteOnly) || f.write(options.listing) != options.listing.size()) {
            *error = QStringLiteral("cannot write %1").arg(listing);
            return false;
        }
        args << QStringLiteral("--listing") << listing;
    }
    if (!options.refuseType.isEmpty())
        args << QStringLiteral("--refuse-type") << options.refuseType;
    if (options.endListWith426)
        args << QStringLiteral("--end-list-with-426");
    args << QStringLiteral("--password") << options.password;

    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(QStringLiteral("/usr/bin/python3"), args);
    if (!process_.waitForStarted(10000)) {
        *error = process_.errorString();
        return false;
    }
    QByteArray line;
    const QDeadlineTimer deadline(20000);
    while (!line.contains('\n') && !deadline.hasExpired()) {
        if (!process_.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())))) {
            if (process_.state() != QProcess::Running)
                break;
            continue;
        }
        line += process_.readAllStandardOutput();
    }
    bool ok = false;
    port_ = line.trimmed().toInt(&ok);
    if (!ok || port_ <= 0) {
        *error = QStringLiteral("ftp peer did not start: %1").arg(QString::fromLocal8Bit(process_.readAllStandardError()));
        Stop();
        return false;
    }
    return true;
}

void TFtpPeer::Stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QStringList TFtpPeer::Commands() const
{
    QFile f(dir_.path() + QStringLiteral("/commands.log"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

int TFtpPeer::CountCommands(const QString& prefix) const
{
    int n = 0;
    for (const QString& c : Commands())
        n += c.startsWith(prefix, Qt::CaseInsensitive) ? 1 : 0;
    return n;
}
