#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QThread>

#include "ports/uDevicePaths.h"

class TvornPortAccess;

// The one worker thread. It sleeps until Start, then sends the optional pre-command
// and the file through its TvornPortAccess, which posts TProgressEvent per block and
// one TOutcomeEvent to MainForm.
//
//   auto* t = new TSendThread(this);
//   t->SetMainForm(this); t->SetEsctTimeOut(ms); t->SetDevicePaths(paths);
//   t->start();                                   // the worker idles
//   t->SetPortName("COM1"); t->SetFileName(f); t->Start();   // one transfer
//   t->Cancel();                                  // from the progress dialog
//   delete t;                                     // Stop, then waits for the worker
//
// Properties are plain values read by the worker when Start wakes it; set them
// while no transfer runs.
class TSendThread final : public QThread
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSendThread)
public:
    explicit TSendThread(QObject* parent = nullptr);
    ~TSendThread() override; // Stop, then wait for the worker

    void Start();
    void Cancel();
    void Stop();

    // Spooler queries; run on the caller's thread and post -3/-4 to MainForm.
    void GetUSBPrinters(const QString& modelText, QStringList& list);
    int GetPrinterStatus();

    QString PortName() const { return FPortName; }
    void SetPortName(const QString& v) { FPortName = v; }
    std::uint32_t BaudRate() const { return FBaudRate; }
    void SetBaudRate(std::uint32_t v) { FBaudRate = v; }
    std::uint8_t ByteSize() const { return FByteSize; }
    void SetByteSize(std::uint8_t v) { FByteSize = v; }
    std::uint8_t Parity() const { return FParity; }
    void SetParity(std::uint8_t v) { FParity = v; }
    std::uint8_t StopBits() const { return FStopBits; }
    void SetStopBits(std::uint8_t v) { FStopBits = v; }
    QString IPAddress() const { return FIPAddress; }
    void SetIPAddress(const QString& v) { FIPAddress = v; }
    QString IPPort() const { return FIPPort; }
    void SetIPPort(const QString& v) { FIPPort = v; }
    QString PrinterName() const { return FPrinterName; }
    void SetPrinterName(const QString& v) { FPrinterName = v; }
    QString PrinterPort() const { return FPrinterPort; }
    void SetPrinterPort(const QString& v) { FPrinterPort = v; }
    QByteArray PreCommand() const { return FPreCommand; }
    void SetPreCommand(const QByteArray& v) { FPreCommand = v; }
    QString FileName() const { return FFileName; }
    void SetFileName(const QString& v) { FFileName = v; }
    QObject* MainForm() const { return FMainForm; }
    void SetMainForm(QObject* v) { FMainForm = v; }
    std::uint32_t EsctTimeOut() const { return FEsctTimeOut; }
    void SetEsctTimeOut(std::uint32_t v) { FEsctTimeOut = v; }
    // Device files behind "COM1".."LPT4" (the settings' "Devices" section).
    TDevicePaths DevicePaths() const { return FDevicePaths; }
    void SetDevicePaths(const TDevicePaths& v) { FDevicePaths = v; }

protected:
    void run() override;

private:
    bool WaitForWake();
    void Transfer(TvornPortAccess& module);
    void CopyPropertiesTo(TvornPortAccess& module) const;

    QString FPortName;
    std::uint32_t FBaudRate = 115200;
    std::uint8_t FByteSize = 8;
    std::uint8_t FParity = 0;
    std::uint8_t FStopBits = 0;
    QString FIPAddress = QStringLiteral("127.0.0.1");
    QString FIPPort = QStringLiteral("9100");
    QString FPrinterName;
    QString FPrinterPort;
    QByteArray FPreCommand;
    QString FFileName;
    QPointer<QObject> FMainForm;
    std::uint32_t FEsctTimeOut = 1000;
    TDevicePaths FDevicePaths;

    // The wake-up event: several Starts during one transfer count as one.
    std::mutex WakeMutex;
    std::condition_variable WakeCondition;
    bool WakeSet = false;
    std::atomic<bool> Terminated = false;
    // Reached from the main thread for Cancel; exists while the worker runs.
    std::atomic<TvornPortAccess*> PortAccess = nullptr;
};
