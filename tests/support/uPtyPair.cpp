#include "support/uPtyPair.h"

#include <csignal>

#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSocketNotifier>
#include <QThread>

TPtyPair::TPtyPair(const QString& folder, QObject* parent) : QObject(parent), Folder(folder), Socat(new QProcess(this))
{
}

TPtyPair::~TPtyPair()
{
    delete Notifier;
    if (ReadFd >= 0)
        ::close(ReadFd);
    if (Socat->state() != QProcess::NotRunning) {
        Socat->terminate();
        if (!Socat->waitForFinished(3000))
            Socat->kill();
        Socat->waitForFinished(3000);
    }
}

bool TPtyPair::Start()
{
    const QString b = Folder + QStringLiteral("/ttyB");
    // socat must not outlive a test that crashed.
    Socat->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    Socat->start(QStringLiteral("socat"),
                 {QStringLiteral("pty,raw,echo=0,link=%1").arg(DevicePath()),
                  QStringLiteral("pty,raw,echo=0,link=%1").arg(b)});
    if (!Socat->waitForStarted(5000))
        return false;
    const QDeadlineTimer deadline(5000);
    while (!(QFileInfo::exists(DevicePath()) && QFileInfo::exists(b))) {
        if (deadline.hasExpired() || Socat->state() == QProcess::NotRunning)
            return false;
        QThread::msleep(10);
    }
    ReadFd = ::open(QFile::encodeName(b).constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (ReadFd < 0)
        return false;
    Notifier = new QSocketNotifier(ReadFd, QSocketNotifier::Read);
    connect(Notifier, &QSocketNotifier::activated, this, &TPtyPair::ReadAvailable);
    return true;
}

void TPtyPair::ReadAvailable()
{
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(ReadFd, buffer, sizeof buffer)) > 0)
        FReceived.append(buffer, n);
}
