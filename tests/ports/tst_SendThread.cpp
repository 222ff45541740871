// The send thread end to end, against real peers: a TCP listener, a socat pty pair as
// COM1, a FIFO as LPT1 and a private cupsd with a capturing usb backend.

#include <memory>

#include <QTemporaryDir>
#include <QTest>

#include <termios.h>
#include <fcntl.h>
#include <unistd.h>

#include "ports/dmvornPortAccess.h"
#include "ports/uSendThread.h"
#include "ports/uTransferEvents.h"
#include "support/uCupsPeer.h"
#include "support/uFifoReader.h"
#include "support/uPtyPair.h"
#include "support/uRecordingListener.h"
#include "support/uSerialSpeedProbe.h"
#include "support/uTestFiles.h"
#include "support/uTransferRecorder.h"

namespace {

const QByteArray kCommand("c78;3840\r\n");
const QByteArray kEsc("\x1b\x74", 2);
const QString kQueue = QStringLiteral("VornK3");

enum class TTransport { Serial, Parallel, Usb, Tcp };

using TProgressList = QList<TTransferRecorder::TProgress>;

TProgressList ExpectedProgress(qint64 size)
{
    TProgressList out;
    for (qint64 pos = 0; pos < size;) {
        pos = std::min(pos + kBlockSize, size);
        out.append({size, pos});
    }
    return out;
}

} // namespace

Q_DECLARE_METATYPE(TTransport)

class TestSendThread : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir Temp;
    std::unique_ptr<TRecordingListener> Listener;
    std::unique_ptr<TPtyPair> Pty;
    std::unique_ptr<TFifoReader> Fifo;
    std::unique_ptr<TCupsPeer> Cups;
    TTransferRecorder Recorder;
    std::unique_ptr<TSendThread> Thread;

    QString PathOf(const QString& name) const { return Temp.filePath(name); }

    // A fresh worker aimed at one transport's peer.
    void NewThread(TTransport transport)
    {
        Thread.reset();
        QCoreApplication::sendPostedEvents(&Recorder);
        Recorder.Clear();
        Thread = std::make_unique<TSendThread>();
        Thread->SetMainForm(&Recorder);
        Thread->SetEsctTimeOut(50);
        Thread->SetDevicePaths({{QStringLiteral("COM1"), Pty->DevicePath()},
                                {QStringLiteral("LPT1"), Fifo->DevicePath()},
                                {QStringLiteral("COM2"), PathOf(QStringLiteral("no-such-tty"))},
                                {QStringLiteral("LPT2"), PathOf(QStringLiteral("no-such-lp"))}});
        Aim(transport);
        Thread->start();
    }

    void Aim(TTransport transport)
    {
        switch (transport) {
        case TTransport::Serial: Thread->SetPortName(QStringLiteral("COM1")); break;
        case TTransport::Parallel: Thread->SetPortName(QStringLiteral("LPT1")); break;
        case TTransport::Usb:
            Thread->SetPortName(QStringLiteral("USB"));
            Thread->SetPrinterName(kQueue);
            Thread->SetPrinterPort(QStringLiteral("usb://Vorn/K3?serial=3"));
            break;
        case TTransport::Tcp:
            Thread->SetPortName(QStringLiteral("IP"));
            Thread->SetIPAddress(QStringLiteral("127.0.0.1"));
            Thread->SetIPPort(QString::number(Listener->Port()));
            break;
        }
    }

    // Everything the peer has received so far, per transfer where the peer can tell
    // transfers apart (spooler jobs, TCP connections).
    QList<QByteArray> Received(TTransport transport) const
    {
        switch (transport) {
        case TTransport::Serial: return {Pty->Received()};
        case TTransport::Parallel: return {Fifo->Received()};
        case TTransport::Usb: return Cups->Captured(kQueue);
        case TTransport::Tcp: {
            QList<QByteArray> all;
            for (const auto& c : Listener->Connections())
                if (c.Closed())
                    all << c.Data();
            return all;
        }
        }
        return {};
    }

    // Byte stream streams (pty, FIFO) carry one transfer after another; the others
    // bring one new item per job or connection.
    int Items(TTransport transport) const { return static_cast<int>(Received(transport).size()); }

    QByteArray Last(TTransport transport) const
    {
        const auto r = Received(transport);
        return r.isEmpty() ? QByteArray() : r.last();
    }

    void ResetPeers()
    {
        Pty->ClearReceived();
        Listener = std::make_unique<TRecordingListener>();
        Fifo.reset();
        QFile::remove(PathOf(QStringLiteral("lp")));
        Fifo = std::make_unique<TFifoReader>(PathOf(QStringLiteral("lp")));
        QVERIFY(Fifo->Start());
    }

    void WaitForOutcome()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!Recorder.Outcomes.isEmpty(), 30000);
    }

    // The peer holds everything the transfer wrote (a spooler job ends after the
    // outcome; TCP connections close after it).
    void WaitForPeer(TTransport transport, int itemsBefore, qint64 streamBytes)
    {
        if (transport == TTransport::Serial || transport == TTransport::Parallel)
            QTRY_VERIFY_WITH_TIMEOUT(Last(transport).size() >= streamBytes, 20000);
        else
            QTRY_VERIFY_WITH_TIMEOUT(Items(transport) > itemsBefore, 20000);
    }

    void AddTransports()
    {
        QTest::addColumn<TTransport>("transport");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(Temp.isValid());
        Pty = std::make_unique<TPtyPair>(Temp.path());
        QVERIFY(Pty->Start());
        Cups = std::make_unique<TCupsPeer>(PathOf(QStringLiteral("cups")));
        QVERIFY(Cups->Start());
        QVERIFY(Cups->AddQueue(kQueue, QStringLiteral("Vorn K3 300dpi"), QStringLiteral("usb://Vorn/K3?serial=3")));
    }

    void init() { ResetPeers(); }
    void cleanup() { Thread.reset(); }
    void cleanupTestCase()
    {
        Thread.reset();
        Cups.reset();
        Pty.reset();
    }

    // What every transport shares: the bytes, the order of the pre-command, one
    // progress event per block before the outcome, exactly one outcome.
    void transfersFileExactly_data()
    {
        QTest::addColumn<TTransport>("transport");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("withCommand");
        const std::pair<const char*, TTransport> transports[] = {{"serial", TTransport::Serial},
                                                                 {"parallel", TTransport::Parallel},
                                                                 {"usb", TTransport::Usb},
                                                                 {"tcp", TTransport::Tcp}};
        for (const auto& [name, t] : transports) {
            QTest::addRow("%s 10000 bytes", name) << t << qint64(10000) << false;
            QTest::addRow("%s 8192 bytes after the command", name) << t << qint64(8192) << true;
            QTest::addRow("%s empty file", name) << t << qint64(0) << false;
        }
    }

    void transfersFileExactly()
    {
        QFETCH(TTransport, transport);
        QFETCH(qint64, size);
        QFETCH(bool, withCommand);
        const QByteArray file = WritePatternFile(PathOf(QStringLiteral("fw.bin")), size);
        NewThread(transport);
        Thread->SetFileName(PathOf(QStringLiteral("fw.bin")));
        Thread->SetPreCommand(withCommand ? kCommand : QByteArray());
        const int before = Items(transport);
        Thread->Start();
        WaitForOutcome();

        const bool tcp = transport == TTransport::Tcp;
        const QByteArray expected = (withCommand && !tcp ? kCommand : QByteArray()) + file;
        if (tcp) {
            QTRY_COMPARE_WITH_TIMEOUT(Listener->ClosedCount(), withCommand ? 2 : 1, 10000);
            const auto connections = Received(transport);
            if (withCommand)
                QCOMPARE(connections.first(), kEsc + kCommand);
            QCOMPARE(Sha256(connections.last()), Sha256(expected));
        } else if (!expected.isEmpty()) {
            WaitForPeer(transport, before, expected.size());
            QCOMPARE(Sha256(Last(transport)), Sha256(expected));
        } else if (transport != TTransport::Usb) {
            QCOMPARE(Last(transport), QByteArray());
        }
        QCOMPARE(Recorder.Progress, ExpectedProgress(size));
        QCOMPARE(Recorder.Outcomes, QList<int>{kOutcomeDone});
        QCOMPARE(Recorder.OutcomeAfterProgress.first(), Recorder.Progress.size());
        if (transport == TTransport::Usb && !expected.isEmpty())
            QCOMPARE(Cups->CapturedTitles(kQueue).last(), QStringLiteral("Firmware update"));
    }

    // A cancel takes effect after the block in progress: the peer holds whole blocks,
    // one per progress event, then ESC t; the outcome is -2 and nothing else.
    void cancelEndsAfterTheBlockInProgress_data()
    {
        QTest::addColumn<TTransport>("transport");
        QTest::newRow("serial") << TTransport::Serial;
        QTest::newRow("parallel") << TTransport::Parallel;
        QTest::newRow("usb") << TTransport::Usb;
        QTest::newRow("tcp") << TTransport::Tcp;
    }

    void cancelEndsAfterTheBlockInProgress()
    {
        QFETCH(TTransport, transport);
        const qint64 size = 16 << 20;
        const QByteArray file = WritePatternFile(PathOf(QStringLiteral("big.bin")), size);
        NewThread(transport);
        Thread->SetFileName(PathOf(QStringLiteral("big.bin")));
        Thread->SetPreCommand({});
        const int before = Items(transport);
        Thread->Start();
        QTRY_VERIFY_WITH_TIMEOUT(!Recorder.Progress.isEmpty(), 20000);
        Thread->Cancel();
        WaitForOutcome();
        QCOMPARE(Recorder.Outcomes, QList<int>{kOutcomeCancelled});
        const qint64 sent = Recorder.Progress.last().BytesRead;
        QVERIFY2(sent < size, "the cancel came too late to test anything");
        if (transport == TTransport::Tcp)
            QTRY_COMPARE_WITH_TIMEOUT(Listener->ClosedCount(), 1, 20000);
        else
            WaitForPeer(transport, before, sent + kEsc.size());
        const QByteArray got = Last(transport);
        QCOMPARE(got.size(), sent + kEsc.size());
        QCOMPARE(Sha256(got), Sha256(file.left(sent) + kEsc));
        QTest::qWait(100);
        QCOMPARE(Recorder.Outcomes.size(), 1);
    }

    // Failures end with -1, once, and the worker takes the next transfer.
    void failuresPostWriteFailedAndWorkerStaysReady_data()
    {
        QTest::addColumn<TTransport>("transport");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("stopBits");
        QTest::addColumn<bool>("fileMissing");
        QTest::newRow("serial device missing") << TTransport::Serial << "COM2" << 0 << false;
        QTest::newRow("serial 1.5 stop bits") << TTransport::Serial << "COM1" << 1 << false;
        QTest::newRow("parallel device missing") << TTransport::Parallel << "LPT2" << 0 << false;
        QTest::newRow("usb queue missing") << TTransport::Usb << "NoSuchQueue" << 0 << false;
        QTest::newRow("tcp connection refused") << TTransport::Tcp << "refused" << 0 << false;
        QTest::newRow("serial file missing") << TTransport::Serial << "COM1" << 0 << true;
        QTest::newRow("usb file missing") << TTransport::Usb << "" << 0 << true;
        QTest::newRow("tcp file missing") << TTransport::Tcp << "" << 0 << true;
    }

    void failuresPostWriteFailedAndWorkerStaysReady()
    {
        QFETCH(TTransport, transport);
        QFETCH(QString, port);
        QFETCH(int, stopBits);
        QFETCH(bool, fileMissing);
        const QByteArray file = WritePatternFile(PathOf(QStringLiteral("fw.bin")), 5000);
        NewThread(transport);
        if (transport == TTransport::Usb && !port.isEmpty())
            Thread->SetPrinterName(port);
        else if (transport == TTransport::Tcp && port == QLatin1String("refused"))
            Thread->SetIPPort(QString::number(Listener->Port() == 1 ? 2 : 1));
        else if (!port.isEmpty())
            Thread->SetPortName(port);
        Thread->SetStopBits(static_cast<std::uint8_t>(stopBits));
        Thread->SetFileName(fileMissing ? PathOf(QStringLiteral("missing.bin")) : PathOf(QStringLiteral("fw.bin")));
        Thread->Start();
        WaitForOutcome();
        QTest::qWait(50);
        QCOMPARE(Recorder.Outcomes, QList<int>{kOutcomeWriteFailed});
        if (transport == TTransport::Serial || transport == TTransport::Parallel)
            QCOMPARE(Last(transport), QByteArray());

        // The same worker, aimed right, sends the next file whole.
        Recorder.Clear();
        Aim(transport);
        Thread->SetStopBits(0);
        Thread->SetFileName(PathOf(QStringLiteral("fw.bin")));
        const int before = Items(transport);
        Thread->Start();
        WaitForOutcome();
        QCOMPARE(Recorder.Outcomes, QList<int>{kOutcomeDone});
        WaitForPeer(transport, before, file.size());
        QCOMPARE(Sha256(Last(transport)), Sha256(file));
    }

    // A printer that goes away mid-file: the transfer fails, never reports success.
    void peerLostMidFileFails_data()
    {
        QTest::addColumn<TTransport>("transport");
        QTest::newRow("tcp reset") << TTransport::Tcp;
        QTest::newRow("parallel reader gone") << TTransport::Parallel;
    }

    void peerLostMidFileFails()
    {
        QFETCH(TTransport, transport);
        const qint64 size = 16 << 20;
        WritePatternFile(PathOf(QStringLiteral("big.bin")), size);
        Listener->SetResetAfter(kBlockSize);
        Fifo->SetHangUpAfter(kBlockSize);
        NewThread(transport);
        Thread->SetFileName(PathOf(QStringLiteral("big.bin")));
        Thread->Start();
        WaitForOutcome();
        QTest::qWait(50);
        QCOMPARE(Recorder.Outcomes, QList<int>{kOutcomeWriteFailed});
        QVERIFY(Recorder.Progress.last().BytesRead < size);
    }

    // Only speed, data bits, parity and stop bits change; a pty keeps the speed and
    // the stop bits, so those are what can be read back at the device.
    void serialLineSettings_data()
    {
        QTest::addColumn<quint32>("baud");
        QTest::addColumn<int>("stopBits");
        QTest::addColumn<bool>("twoStopBits");
        QTest::newRow("57600, two stop bits") << 57600u << 2 << true;
        QTest::newRow("9600, one stop bit") << 9600u << 0 << false;
        QTest::newRow("250000, no standard constant") << 250000u << 0 << false;
    }

    void serialLineSettings()
    {
        QFETCH(quint32, baud);
        QFETCH(int, stopBits);
        QFETCH(bool, twoStopBits);
        const QByteArray file = WritePatternFile(PathOf(QStringLiteral("fw.bin")), 100);
        NewThread(TTransport::Serial);
        Thread->SetBaudRate(baud);
        Thread->SetStopBits(static_cast<std::uint8_t>(stopBits));
        Thread->SetFileName(PathOf(QStringLiteral("fw.bin")));
        Thread->Start();
        WaitForOutcome();
        QCOMPARE(Recorder.Outcomes, QList<int>{kOutcomeDone});
        QTRY_COMPARE(Pty->Received(), file);

        const int fd = ::open(QFile::encodeName(Pty->DevicePath()).constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        QVERIFY(fd >= 0);
        termios t{};
        QCOMPARE(::tcgetattr(fd, &t), 0);
        ::close(fd);
        QCOMPARE(bool(t.c_cflag & CSTOPB), twoStopBits);
        QCOMPARE(SerialOutputSpeed(Pty->DevicePath()), baud);
    }

    // Over TCP the command has a connection of its own: ESC t, the pause, the command.
    void tcpCommandWaitsAfterEscT()
    {
        WritePatternFile(PathOf(QStringLiteral("fw.bin")), 10);
        NewThread(TTransport::Tcp);
        Thread->SetEsctTimeOut(600);
        Thread->SetPreCommand(kCommand);
        Thread->SetFileName(PathOf(QStringLiteral("fw.bin")));
        Thread->Start();
        WaitForOutcome();
        QTRY_COMPARE(Listener->ClosedCount(), 2);
        const auto& first = Listener->Connections().first();
        QCOMPARE(first.Data(), kEsc + kCommand);
        QCOMPARE(first.Chunks.first().Bytes, kEsc);
        // The pause lies between the two on the sender; the listener may see the first late, never the second early.
        QVERIFY(first.Chunks.last().AtMs - first.Chunks.first().AtMs >= 300);
        // The file has the second connection to itself. When the first closed relative to
        // it is not checked here: a close and the next connection can reach the
        // listener's loop in the same round, in either order.
        QCOMPARE(Listener->Connections().last().Data().size(), qsizetype(10));
    }

    // One worker serves transports one after another, each opened afresh.
    void transportsFollowEachOther()
    {
        const QByteArray file = WritePatternFile(PathOf(QStringLiteral("fw.bin")), 9000);
        NewThread(TTransport::Tcp);
        Thread->SetFileName(PathOf(QStringLiteral("fw.bin")));
        const TTransport order[] = {TTransport::Tcp, TTransport::Serial, TTransport::Tcp, TTransport::Serial};
        int tcpConnections = 0;
        qint64 serialBytes = 0;
        for (TTransport t : order) {
            Recorder.Clear();
            Aim(t);
            Thread->Start();
            WaitForOutcome();
            QCOMPARE(Recorder.Outcomes, QList<int>{kOutcomeDone});
            if (t == TTransport::Tcp) {
                ++tcpConnections;
                QTRY_COMPARE(Listener->ClosedCount(), tcpConnections);
                QCOMPARE(Listener->Connections().last().Data(), file);
            } else {
                serialBytes += file.size();
                QTRY_COMPARE(Pty->Received().size(), serialBytes);
            }
        }
        QCOMPARE(Pty->Received(), file + file);
    }

    // Starts during a transfer count as one more transfer, not as many.
    void startsDuringTransferCountAsOne()
    {
        WritePatternFile(PathOf(QStringLiteral("big.bin")), 4 << 20);
        NewThread(TTransport::Parallel);
        Thread->SetFileName(PathOf(QStringLiteral("big.bin")));
        Thread->Start();
        QTRY_VERIFY(!Recorder.Progress.isEmpty());
        Thread->Start();
        Thread->Start();
        QTRY_COMPARE_WITH_TIMEOUT(Recorder.Outcomes.size(), 2, 30000);
        QTest::qWait(300);
        QCOMPARE(Recorder.Outcomes, (QList<int>{kOutcomeDone, kOutcomeDone}));
        QTRY_COMPARE(Fifo->Received().size(), qint64(8 << 20));
    }

    // Closing the program: an idle worker ends at once; a busy one ends its transfer
    // as cancelled first, also over TCP to a printer that has stopped reading.
    void stopEndsTheWorker_data()
    {
        QTest::addColumn<TTransport>("transport");
        QTest::addColumn<bool>("busy");
        QTest::newRow("idle") << TTransport::Serial << false;
        QTest::newRow("serial busy") << TTransport::Serial << true;
        QTest::newRow("tcp busy") << TTransport::Tcp << true;
    }

    void stopEndsTheWorker()
    {
        QFETCH(TTransport, transport);
        QFETCH(bool, busy);
        WritePatternFile(PathOf(QStringLiteral("big.bin")), 32 << 20);
        NewThread(transport);
        Thread->SetFileName(PathOf(QStringLiteral("big.bin")));
        if (busy) {
            Thread->Start();
            QTRY_VERIFY(!Recorder.Progress.isEmpty());
        }
        Thread->Stop();
        // The peers live on this thread: keep them reading while the worker ends.
        QTRY_VERIFY_WITH_TIMEOUT(Thread->isFinished(), 20000);
        QCoreApplication::sendPostedEvents(&Recorder);
        QCOMPARE(Recorder.Outcomes, busy ? QList<int>{kOutcomeCancelled} : QList<int>{});
    }

    // A printer that stops reading mid-file: the cancel still ends the transfer at
    // once, and the worker is free again for the next one.
    void cancelReachesStalledTcpPrinter()
    {
        const QByteArray small = WritePatternFile(PathOf(QStringLiteral("fw.bin")), 5000);
        WritePatternFile(PathOf(QStringLiteral("big.bin")), 32 << 20);
        Listener->SetStalled(true);
        NewThread(TTransport::Tcp);
        Thread->SetFileName(PathOf(QStringLiteral("big.bin")));
        Thread->Start();
        // Stalled: no progress for a while although the file is far from through.
        qsizetype seen = -1;
        QTRY_VERIFY_WITH_TIMEOUT(!Recorder.Progress.isEmpty() && std::exchange(seen, Recorder.Progress.size())
                                     == Recorder.Progress.size(), 20000);
        QVERIFY(Recorder.Progress.last().BytesRead < (32 << 20));
        Thread->Cancel();
        WaitForOutcome();
        QCOMPARE(Recorder.Outcomes, QList<int>{kOutcomeCancelled});

        Recorder.Clear();
        Listener = std::make_unique<TRecordingListener>();
        Aim(TTransport::Tcp);
        Thread->SetFileName(PathOf(QStringLiteral("fw.bin")));
        Thread->Start();
        WaitForOutcome();
        QCOMPARE(Recorder.Outcomes, QList<int>{kOutcomeDone});
        QTRY_COMPARE(Listener->ClosedCount(), 1);
        QCOMPARE(Listener->Connections().first().Data(), small);
    }
};

QTEST_GUILESS_MAIN(TestSendThread)
#include "tst_SendThread.moc"
