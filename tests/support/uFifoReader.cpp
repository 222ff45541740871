#include "support/uFifoReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QSocketNotifier>

TFifoReader::TFifoReader(const QString& path, QObject* parent) : QObject(parent), Path(path) {}

TFifoReader::~TFifoReader()
{
    HangUp();
}

bool TFifoReader::Start()
{
    const QByteArray p = QFile::encodeName(Path);
    if (::mkfifo(p.constData(), 0600) != 0)
        return false;
    Fd = ::open(p.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (Fd < 0)
        return false;
    Notifier = new QSocketNotifier(Fd, QSocketNotifier::Read);
    connect(Notifier, &QSocketNotifier::activated, this, &TFifoReader::ReadAvailable);
    return true;
}

void TFifoReader::ReadAvailable()
{
    char buffer[65536];
    ssize_t n;
    while (Fd >= 0 && (n = ::read(Fd, buffer, sizeof buffer)) > 0) {
        FReceived.append(buffer, n);
        if (HangUpAfter > 0 && FReceived.size() >= HangUpAfter)
            HangUp();
    }
}

void TFifoReader::HangUp()
{
    if (Notifier) {
        Notifier->setEnabled(false);
        Notifier->deleteLater();
        Notifier = nullptr;
    }
    if (Fd >= 0)
        ::close(Fd);
    Fd = -1;
}
