#include "ports/dmvornPortAccess.h"

#include <QEventLoop>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include "ports/RawPrint.h"
#include "ports/uPrinterQueries.h"
#include "ports/uSerialLine.h"
#include "ports/uTransferEvents.h"

namespace {

const QString kUsb = QStringLiteral("USB");
const QString kIp = QStringLiteral("IP");
const QByteArray kEscTBytes(kEscT, 2);

} // namespace

TvornPortAccess::TvornPortAccess(QObject* parent)
    : QObject(parent),
      WSocketIP(new QTcpSocket(this)),
      CancelPoll(new QTimer(this)),
      CloseDeadline(new QTimer(this))
{
    setObjectName(QStringLiteral("vornPortAccess"));
    WSocketIP->setObjectName(QStringLiteral("WSocketIP"));
    connect(WSocketIP, &QTcpSocket::connected, this, &TvornPortAccess::WSocketIPSessionConnected);
    // "Data sent": everything handed to the socket has gone on to the network stack.
    connect(WSocketIP, &QTcpSocket::bytesWritten, this, [this] {
        if (WSocketIP->bytesToWrite() == 0)
            WSocketIPDataSent();
    });
    connect(WSocketIP, &QTcpSocket::errorOccurred, this, &TvornPortAccess::WSocketIPError);
    connect(WSocketIP, &QTcpSocket::stateChanged, this, [this](QAbstractSocket::SocketState s) {
        if (s == QAbstractSocket::UnconnectedState)
            WSocketIPSessionClosed();
    });
    // Cancel and Stop come from the main thread while the worker waits in the socket's
    // loop: a connection attempt, or a printer that stopped reading, sends no event
    // that would let them take effect.
    CancelPoll->setInterval(50);
    connect(CancelPoll, &QTimer::timeout, this, &TvornPortAccess::CheckCancelRequests);
    CloseDeadline->setSingleShot(true);
    CloseDeadline->setInterval(3000);
    connect(CloseDeadline, &QTimer::timeout, WSocketIP, &QTcpSocket::abort);
}

TvornPortAccess::~TvornPortAccess()
{
    ClosePort();
}

bool TvornPortAccess::IsSerial() const
{
    return PortName.contains(QLatin1String("COM"));
}

bool TvornPortAccess::IsUsb() const
{
    return PortName == kUsb;
}

bool TvornPortAccess::IsIp() const
{
    return PortName == kIp;
}

void TvornPortAccess::BeginTransfer()
{
    SetCancel(false);
    OutcomePosted = false;
    AllSent = false;
    FLastError.clear();
}

bool TvornPortAccess::OpenPort()
{
    if (IsIp())
        return true;
    if (IsUsb()) {
        try {
            RawPrinter = std::make_unique<TWinRawPrinter>(PrinterName, PrinterPort, QStringLiteral("Firmware update"));
        } catch (const ERawPrinterException& e) {
            // Reported as a failed write by the caller, so the transfer ends with -1.
            FLastError = e.Message();
            return false;
        }
        return true;
    }
    return Device.Open(DevicePathOf(PortName, DevicePaths), IsSerial(), FLastError);
}

void TvornPortAccess::ClosePort()
{
    IsOpen = false;
    RawPrinter.reset();
    Device.Close();
}

bool TvornPortAccess::ConfigureSerialPort()
{
    if (!IsSerial() || !Device.IsOpen())
        return false;
    const TSerialSettings s{BaudRate, ByteSize, Parity, StopBits};
    // The write timeouts (10 ms per byte + 1000 ms) are enforced by every device write.
    return ApplySerialSettings(Device.Handle(), s, FLastError);
}

bool TvornPortAccess::WritePort(const QByteArray& s)
{
    if (IsIp()) {
        PendingCommand = s;
        ConnectIP();
        return true;
    }
    if (!IsOpen)
        IsOpen = OpenPort();
    if (!IsOpen)
        return false;
    if (IsUsb())
        return RawPrinter && RawPrinter->Write(s) == 1;
    if (IsSerial() && !ConfigureSerialPort())
        return false;
    if (!Device.WriteAll(s.constData(), s.size(), FLastError)) {
        ClosePort();
        return false;
    }
    return true;
}

void TvornPortAccess::PostProgress(qint64 fileSize, qint64 position)
{
    ::PostProgress(MainForm, fileSize, position);
}

void TvornPortAccess::PostOutcome(int code)
{
    // One outcome per transfer, whatever path reaches here first.
    if (OutcomePosted)
        return;
    OutcomePosted = true;
    ::PostOutcome(MainForm, code, code == kOutcomeWriteFailed ? FLastError : QString());
}

bool TvornPortAccess::SendFile()
{
    QFile file(FileName);
    bool result = false;
    if (!file.open(QIODevice::ReadOnly)) {
        FLastError = FileName + QStringLiteral(": ") + file.errorString();
        if (IsOpen)
            WritePort(kEscTBytes);
        PostOutcome(kOutcomeWriteFailed);
        ClosePort();
        return false;
    }
    const qint64 size = file.size();
    // An empty file is written whole by writing nothing.
    result = size == 0;
    QByteArray block;
    while (file.pos() < size) {
        block = file.read(kBlockSize);
        if (block.isEmpty()) {
            FLastError = file.errorString();
            result = false;
            WritePort(kEscTBytes);
            PostOutcome(kOutcomeWriteFailed);
            break;
        }
        PostProgress(size, file.pos());
        result = WritePort(block);
        if (!result) {
            // The break-off sequence must not replace the reason the block failed.
            const QString reason = FLastError;
            WritePort(kEscTBytes);
            FLastError = reason;
            PostOutcome(kOutcomeWriteFailed);
            break;
        }
        if (CancelRequested.load()) {
            result = false;
            WritePort(kEscTBytes);
            PostOutcome(kOutcomeCancelled);
            break;
        }
    }
    if (result)
        PostOutcome(kOutcomeDone);
    file.close();
    ClosePort();
    return result;
}

void TvornPortAccess::ConnectIP()
{
    if (WSocketIP->state() != QAbstractSocket::UnconnectedState)
        WSocketIP->abort();
    AllSent = false;
    bool ok = false;
    const uint port = IPPort.trimmed().toUInt(&ok);
    WSocketIP->connectToHost(IPAddress.trimmed(), ok && port <= 65535 ? static_cast<quint16>(port) : 0);
    CancelPoll->start();
}

void TvornPortAccess::RunSocketLoop()
{
    if (WSocketIP->state() == QAbstractSocket::UnconnectedState) {
        // The attempt ended before the loop could run (an invalid address, say).
        IPFileStream.reset();
        if (SendPhase == 1)
            PostOutcome(CancelRequested.load() ? kOutcomeCancelled : kOutcomeWriteFailed);
        return;
    }
    QEventLoop loop;
    SocketLoop = &loop;
    loop.exec();
    SocketLoop = nullptr;
}

void TvornPortAccess::SendNextBlock()
{
    if (!IPFileStream) {
        IPFileStream = std::make_unique<QFile>(FileName);
        if (!IPFileStream->open(QIODevice::ReadOnly)) {
            FLastError = FileName + QStringLiteral(": ") + IPFileStream->errorString();
            PostOutcome(kOutcomeWriteFailed);
            CloseAfterHandler();
            return;
        }
    }
    const QByteArray block = IPFileStream->read(kBlockSize);
    if (block.size() < 0 || (block.isEmpty() && IPFileStream->pos() < IPFileStream->size())) {
        FLastError = IPFileStream->errorString();
        PostOutcome(kOutcomeWriteFailed);
        CloseAfterHandler();
        return;
    }
    if (!block.isEmpty()) {
        WSocketIP->write(block);
        PostProgress(IPFileStream->size(), IPFileStream->pos());
    } else {
        // Nothing new for the socket to report on: the end of the file is noticed by
        // the next data-sent event, so make one.
        QMetaObject::invokeMethod(this, &TvornPortAccess::WSocketIPDataSent, Qt::QueuedConnection);
    }
    if (block.size() < kBlockSize)
        AllSent = true;
}

void TvornPortAccess::WSocketIPSessionConnected()
{
    if (SendPhase == 0) {
        SendPhase = 2;
        WSocketIP->write(kEscTBytes);
        return;
    }
    if (SendPhase == 1) {
        SendNextBlock();
        // A fresh connection reports data sent once by itself; the exchange relies on
        // it (an empty file ends on it, and it keeps a second block under way).
        QMetaObject::invokeMethod(this, &TvornPortAccess::WSocketIPDataSent, Qt::QueuedConnection);
    }
}

void TvornPortAccess::WSocketIPDataSent()
{
    if (WSocketIP->state() != QAbstractSocket::ConnectedState)
        return;
    switch (SendPhase) {
    case 2:
        SendPhase = 0;
        QThread::msleep(EsctTimeOut);
        WSocketIP->write(PendingCommand);
        AllSent = true;
        break;
    case 0:
        if (AllSent) {
            AllSent = false;
            CloseAfterHandler();
        }
        break;
    case 1:
        if (CancelRequested.load()) {
            CancelFileExchange();
        } else if (AllSent) {
            PostOutcome(kOutcomeDone);
            AllSent = false;
            CloseAfterHandler();
        } else {
            SendNextBlock();
        }
        break;
    default:
        break;
    }
}

void TvornPortAccess::WSocketIPError()
{
    FLastError = WSocketIP->errorString();
    // A connection that cannot be made, or that the printer drops or resets before
    // the file is through, is a failed transfer; the window must not wait for ever.
    if (SendPhase == 1)
        PostOutcome(CancelRequested.load() || StopRequested.load() ? kOutcomeCancelled : kOutcomeWriteFailed);
}

void TvornPortAccess::WSocketIPSessionClosed()
{
    CancelPoll->stop();
    CloseDeadline->stop();
    if (SendPhase == 1)
        PostOutcome(CancelRequested.load() || StopRequested.load() ? kOutcomeCancelled : kOutcomeWriteFailed);
    IPFileStream.reset();
    if (SocketLoop)
        SocketLoop->quit();
}

void TvornPortAccess::CheckCancelRequests()
{
    // Closing the program must not wait for a printer that neither answers nor reads;
    // a connection that is only delivering its last bytes gets a moment to finish.
    if (StopRequested.load()) {
        if (!StopSeen.isValid())
            StopSeen.start();
        if ((OutcomePosted || WSocketIP->state() == QAbstractSocket::ClosingState) && !StopSeen.hasExpired(5000))
            return;
        CancelPoll->stop();
        WSocketIP->abort();
        return;
    }
    if (!CancelRequested.load())
        return;
    if (WSocketIP->state() != QAbstractSocket::ConnectedState) {
        CancelPoll->stop();
        WSocketIP->abort();
    } else if (SendPhase == 1) {
        // A printer that has stopped reading sends no data-sent event; the user's
        // cancel must not wait for one.
        CancelFileExchange();
    }
}

void TvornPortAccess::CancelFileExchange()
{
    SetCancel(false);
    WSocketIP->write(kEscTBytes);
    PostOutcome(kOutcomeCancelled);
    // Ends like a command exchange: the next data-sent event closes. A printer that
    // takes nothing more is given a few seconds, then the connection is dropped so
    // that the worker is ready for the next transfer.
    SendPhase = 0;
    AllSent = true;
    CloseDeadline->start();
}

void TvornPortAccess::CloseAfterHandler()
{
    // A graceful close: what the socket and the network stack still hold is delivered
    // before the FIN, so the last block reaches the printer.
    QMetaObject::invokeMethod(WSocketIP, &QTcpSocket::disconnectFromHost, Qt::QueuedConnection);
}

void TvornPortAccess::GetUSBPrinters(const QString& modelText, QStringList& list)
{
    QueryUSBPrinters(modelText, list, MainForm);
}

int TvornPortAccess::GetPrinterStatus()
{
    return QueryPrinterStatus(PrinterName, MainForm);
}
