#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "ports/uDevicePaths.h"
#include "ports/uDeviceFile.h"

class QEventLoop;
class QTcpSocket;
class QTimer;
class TWinRawPrinter;

// The two bytes that break off a transfer at the printer.
inline constexpr char kEscT[] = "\x1b\x74";
// Block size of every file transfer.
inline constexpr qint64 kBlockSize = 4096;

// Owns the connection to the printer for one transfer at a time: a serial or parallel
// device, a raw spooler job ("USB") or TCP connections ("IP"). Lives on the send
// thread's worker; progress and outcome reach MainForm as posted events.
class TvornPortAccess final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TvornPortAccess)
public:
    explicit TvornPortAccess(QObject* parent = nullptr);
    ~TvornPortAccess() override;

    // Set by the send thread before each transfer.
    QString PortName;
    std::uint32_t BaudRate = 115200;
    std::uint8_t ByteSize = 8;
    std::uint8_t Parity = 0;
    std::uint8_t StopBits = 0;
    QString PrinterName;
    QString PrinterPort;
    QString IPPort = QStringLiteral("9100");
    QString IPAddress = QStringLiteral("127.0.0.1");
    QString FileName;
    std::uint8_t SendPhase = 0; // TCP: 0 command, 1 file, 2 ESC t sent and command waiting
    QPointer<QObject> MainForm;
    std::uint32_t EsctTimeOut = 1000;
    TDevicePaths DevicePaths;

    bool OpenPort();
    void ClosePort();
    bool WritePort(const QByteArray& s);
    bool ConfigureSerialPort();
    bool SendFile();
    void ConnectIP();
    void SendNextBlock();
    // Runs the worker's loop until the running TCP exchange has closed its connection.
    void RunSocketLoop();

    void PostProgress(qint64 fileSize, qint64 position);
    void PostOutcome(int code);
    void SetCancel(bool value) { CancelRequested.store(value); }
    // The program is closing: a TCP exchange ends at once instead of at its next event.
    void RequestStop() { StopRequested.store(true); }
    // Clears what one transfer leaves behind, so each starts as if it were the first.
    void BeginTransfer();

    // Spooler queries, called on the caller's (main) thread; -3/-4 go to MainForm.
    void GetUSBPrinters(const QString& modelText, QStringList& list);
    int GetPrinterStatus();

    // Why the last open or write failed (kept for diagnostics, not shown by the worker).
    const QString& LastError() const { return FLastError; }

private:
    void WSocketIPSessionConnected();
    void WSocketIPDataSent();
    void WSocketIPSessionClosed();
    void WSocketIPError();
    void CheckCancelRequests();
    void CancelFileExchange();
    void CloseAfterHandler();
    bool IsSerial() const;
    bool IsUsb() const;
    bool IsIp() const;

    QTcpSocket* WSocketIP = nullptr;
    QTimer* CancelPoll = nullptr;
    QTimer* CloseDeadline = nullptr;
    QEventLoop* SocketLoop = nullptr;
    bool IsOpen = false;
    TDeviceFile Device;
    std::unique_ptr<TWinRawPrinter> RawPrinter;
    QByteArray PendingCommand;
    bool AllSent = false;
    std::unique_ptr<QFile> IPFileStream;
    std::atomic<bool> CancelRequested = false;
    std::atomic<bool> StopRequested = false;
    QElapsedTimer StopSeen;
    bool OutcomePosted = false;
    QString FLastError;
};
