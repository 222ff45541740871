#include "support/uCupsPeer.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

TCupsPeer::TCupsPeer(const QString& folder)
    : FFolder(folder), Script(qEnvironmentVariable("VORN_SOURCE_DIR") + QStringLiteral("/tests/support/cups-peer.sh"))
{
}

TCupsPeer::~TCupsPeer()
{
    if (Started)
        Run(QStringLiteral("sh"), {Script, QStringLiteral("stop"), FFolder});
}

bool TCupsPeer::Run(const QString& program, const QStringList& args) const
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(program, args);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool TCupsPeer::Start()
{
    qputenv("CUPS_SERVER", QFile::encodeName(FFolder + QStringLiteral("/cups.sock")));
    Started = Run(QStringLiteral("sh"), {Script, QStringLiteral("start"), FFolder, QString::number(QCoreApplication::applicationPid())});
    return Started;
}

bool TCupsPeer::AddQueue(const QString& name, const QString& driver, const QString& uri)
{
    QFile in(qEnvironmentVariable("VORN_SOURCE_DIR") + QStringLiteral("/tests/support/tiny.ppd.in"));
    const QString ppdPath = FFolder + QStringLiteral("/%1.ppd").arg(QString::number(qHash(name), 16));
    QFile ppd(ppdPath);
    if (!in.open(QIODevice::ReadOnly) || !ppd.open(QIODevice::WriteOnly))
        return false;
    ppd.write(in.readAll().replace("@MODEL@", driver.toLatin1()));
    ppd.close();
    return Run(QStringLiteral("lpadmin"),
               {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"), uri, QStringLiteral("-P"),
                ppdPath});
}

bool TCupsPeer::RemoveQueue(const QString& name)
{
    return Run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name});
}

bool TCupsPeer::Pause(const QString& name, bool paused)
{
    return Run(paused ? QStringLiteral("cupsdisable") : QStringLiteral("cupsenable"), {name});
}

bool TCupsPeer::Reject(const QString& name, bool rejected)
{
    return Run(rejected ? QStringLiteral("cupsreject") : QStringLiteral("cupsaccept"), {name});
}

QStringList TCupsPeer::CaptureFiles(const QString& queue, const QString& suffix) const
{
    const QDir dir(FFolder + QStringLiteral("/capture"));
    QStringList files = dir.entryList({queue + QStringLiteral("-*") + suffix}, QDir::Files);
    const auto jobOf = [&](const QString& f) {
        return f.mid(queue.size() + 1).section(QLatin1Char('.'), 0, 0).toInt();
    };
    std::sort(files.begin(), files.end(), [&](const QString& a, const QString& b) { return jobOf(a) < jobOf(b); });
    for (QString& f : files)
        f = dir.filePath(f);
    return files;
}

QList<QByteArray> TCupsPeer::Captured(const QString& queue) const
{
    QList<QByteArray> jobs;
    for (const QString& f : CaptureFiles(queue, QStringLiteral(".bin"))) {
        QFile file(f);
        if (file.open(QIODevice::ReadOnly))
            jobs << file.readAll();
    }
    return jobs;
}

QStringList TCupsPeer::CapturedTitles(const QString& queue) const
{
    QStringList titles;
    for (const QString& f : CaptureFiles(queue, QStringLiteral(".title"))) {
        QFile file(f);
        if (file.open(QIODevice::ReadOnly))
            titles << QString::fromUtf8(file.readAll()).trimmed();
    }
    return titles;
}
