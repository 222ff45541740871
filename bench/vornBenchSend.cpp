// One transfer through the send thread, as the main window starts it:
//   vornBenchSend ip HOST PORT FILE
//   vornBenchSend usb QUEUE FILE
// Prints "seconds=<until the worker is idle again> outcome=<code> blocks=<progress events>
// maxrss_kib=<peak resident memory>".

#include <cstdio>

#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "ports/uSendThread.h"
#include "ports/uTransferEvents.h"

namespace {

class TReceiver final : public QObject
{
public:
    int Outcome = 1;
    qint64 Blocks = 0;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == TProgressEvent::EventType) {
            ++Blocks;
            return true;
        }
        if (e->type() == TOutcomeEvent::EventType) {
            Outcome = static_cast<TOutcomeEvent*>(e)->Code;
            QCoreApplication::quit();
            return true;
        }
        return QObject::event(e);
    }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool ip = args.size() == 5 && args[1] == QLatin1String("ip");
    const bool usb = args.size() == 4 && args[1] == QLatin1String("usb");
    if (!ip && !usb) {
        std::fprintf(stderr, "usage: vornBenchSend ip HOST PORT FILE | usb QUEUE FILE\n");
        return 2;
    }
    TReceiver receiver;
    QElapsedTimer clock;
    double seconds = 0;
    {
        TSendThread thread;
        thread.SetMainForm(&receiver);
        thread.start();
        if (ip) {
            thread.SetPortName(QStringLiteral("IP"));
            thread.SetIPAddress(args[2]);
            thread.SetIPPort(args[3]);
            thread.SetFileName(args[4]);
        } else {
            thread.SetPortName(QStringLiteral("USB"));
            thread.SetPrinterName(args[2]);
            thread.SetFileName(args[3]);
        }
        clock.start();
        thread.Start();
        app.exec();
        // The transfer is over when the worker has closed the port (job submitted,
        // connection closed), which Stop waits for.
        thread.Stop();
        thread.wait();
        seconds = clock.nsecsElapsed() / 1e9;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("seconds=%.4f outcome=%d blocks=%lld maxrss_kib=%ld\n", seconds, receiver.Outcome,
                static_cast<long long>(receiver.Blocks), usage.ru_maxrss);
    return receiver.Outcome == 0 ? 0 : 1;
}
