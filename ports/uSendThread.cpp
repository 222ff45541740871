#include "ports/uSendThread.h"

#include <csignal>
#include <exception>

#include <pthread.h>

#include "ports/dmvornPortAccess.h"
#include "ports/uPrinterQueries.h"
#include "ports/uTransferEvents.h"

TSendThread::TSendThread(QObject* parent) : QThread(parent)
{
    setObjectName(QStringLiteral("SendThread"));
}

TSendThread::~TSendThread()
{
    Stop();
    wait();
}

void TSendThread::Start()
{
    {
        std::lock_guard lock(WakeMutex);
        WakeSet = true;
    }
    WakeCondition.notify_one();
}

void TSendThread::Cancel()
{
    std::lock_guard lock(WakeMutex);
    if (TvornPortAccess* m = PortAccess.load())
        m->SetCancel(true);
}

void TSendThread::Stop()
{
    Cancel();
    {
        std::lock_guard lock(WakeMutex);
        if (TvornPortAccess* m = PortAccess.load())
            m->RequestStop();
    }
    Terminated.store(true);
    Start();
}

void TSendThread::GetUSBPrinters(const QString& modelText, QStringList& list)
{
    QueryUSBPrinters(modelText, list, FMainForm);
}

int TSendThread::GetPrinterStatus()
{
    return QueryPrinterStatus(FPrinterName, FMainForm);
}

bool TSendThread::WaitForWake()
{
    std::unique_lock lock(WakeMutex);
    WakeCondition.wait(lock, [this] { return WakeSet; });
    WakeSet = false;
    return !Terminated.load();
}

void TSendThread::CopyPropertiesTo(TvornPortAccess& module) const
{
    module.PortName = FPortName;
    module.BaudRate = FBaudRate;
    module.ByteSize = FByteSize;
    module.Parity = FParity;
    module.StopBits = FStopBits;
    module.IPAddress = FIPAddress;
    module.IPPort = FIPPort;
    module.PrinterName = FPrinterName;
    module.PrinterPort = FPrinterPort;
    module.MainForm = FMainForm;
    module.EsctTimeOut = FEsctTimeOut;
    module.DevicePaths = FDevicePaths;
}

void TSendThread::Transfer(TvornPortAccess& module)
{
    CopyPropertiesTo(module);
    module.BeginTransfer();
    const bool overTcp = FPortName == QLatin1String("IP");
    if (!FPreCommand.isEmpty()) {
        module.SendPhase = 0;
        module.WritePort(FPreCommand);
        if (overTcp)
            module.RunSocketLoop();
    }
    if (FFileName.isEmpty()) {
        // A port opened for the command alone must not stay open into the next transfer.
        module.ClosePort();
        return;
    }
    module.SendPhase = 1;
    module.FileName = FFileName;
    if (overTcp) {
        module.ConnectIP();
        module.RunSocketLoop();
    } else {
        module.SendFile();
    }
}

void TSendThread::run()
{
    // A printer that goes away under a write must fail that write, not end the program.
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);

    auto* module = new TvornPortAccess;
    {
        std::lock_guard lock(WakeMutex);
        PortAccess.store(module);
    }
    while (WaitForWake()) {
        try {
            Transfer(*module);
        } catch (const std::exception&) {
            // Whatever went wrong, the window learns that the transfer failed and the
            // worker stays ready for the next Start.
            module->ClosePort();
            module->PostOutcome(kOutcomeWriteFailed);
        }
    }
    {
        std::lock_guard lock(WakeMutex);
        PortAccess.store(nullptr);
    }
    delete module;
}
