// Which spooler queues lead to a model's printer over USB, and whether the chosen one
// can print, asked of a private cupsd.

#include <memory>

#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "ports/uPrinterQueries.h"
#include "ports/uSendThread.h"
#include "ports/uTransferEvents.h"
#include "support/uCupsPeer.h"
#include "support/uTransferRecorder.h"

class TestPrinterQueries : public QObject
{
    Q_OBJECT

    QTemporaryDir Temp;
    std::unique_ptr<TCupsPeer> Cups;
    TTransferRecorder Recorder;

    QList<int> PostedOutcomes()
    {
        QCoreApplication::sendPostedEvents(&Recorder);
        const QList<int> out = Recorder.Outcomes;
        Recorder.Clear();
        return out;
    }

private slots:
    void initTestCase()
    {
        Cups = std::make_unique<TCupsPeer>(Temp.filePath(QStringLiteral("cups")));
        QVERIFY(Cups->Start());
        const struct
        {
            const char *Name, *Driver, *Uri;
        } queues[] = {
            {"A_K3_usb", "Vorn K3 300dpi", "usb://Vorn/K3?serial=3"},
            {"B_K3_parallel", "Vorn K3 300dpi", "parallel:/dev/lp0"},
            {"C_K3_upper_scheme", "Vorn K3 300dpi", "USB://Vorn/K3?serial=4"},
            {"D_NerioK_spaced", "Vorn Nerio K", "usb://Vorn/NK?serial=5"},
            {"E_NerioK_joined", "vorn neriok 200dpi", "usb://Vorn/NK?serial=6"},
            {"F=Split", "Vorn R9", "usb://Vorn/R9?serial=7"},
            {"G_K3_network", "Vorn K3 300dpi", "socket://127.0.0.1:9"},
        };
        for (const auto& q : queues)
            QVERIFY(Cups->AddQueue(QString::fromLatin1(q.Name), QString::fromLatin1(q.Driver),
                                   QString::fromLatin1(q.Uri)));
    }

    void cleanupTestCase() { Cups.reset(); }

    // The model's key (spaces removed, upper-cased) must occur in the upper-cased driver
    // name, and the queue must sit on a USB port.
    void discoveryKeepsModelQueuesOnUsb_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("usb only, in the spooler's order")
            << "K3" << QStringList{"A_K3_usb=usb://Vorn/K3?serial=3", "C_K3_upper_scheme=USB://Vorn/K3?serial=4"};
        QTest::newRow("model key with a space")
            << "Nerio K" << QStringList{"E_NerioK_joined=usb://Vorn/NK?serial=6"};
        QTest::newRow("name holding =") << "R9" << QStringList{"F=Split=usb://Vorn/R9?serial=7"};
        QTest::newRow("no driver of the model") << "ZL6" << QStringList{};
    }

    void discoveryKeepsModelQueuesOnUsb()
    {
        QFETCH(QString, model);
        QFETCH(QStringList, lines);
        TSendThread thread;
        thread.SetMainForm(&Recorder);
        QStringList list{QStringLiteral("kept=line")};
        thread.GetUSBPrinters(model, list);
        QCOMPARE(list, QStringList{QStringLiteral("kept=line")} + lines);
        QCOMPARE(PostedOutcomes(), QList<int>{});
    }

    // Paused wins over offline; a queue that cannot be asked lets the update go on.
    void statusOfChosenQueue_data()
    {
        QTest::addColumn<QString>("queue");
        QTest::addColumn<bool>("paused");
        QTest::addColumn<bool>("rejecting");
        QTest::addColumn<int>("status");
        QTest::addColumn<QList<int>>("posted");
        QTest::newRow("ready") << "A_K3_usb" << false << false << kPrinterReady << QList<int>{};
        QTest::newRow("paused") << "A_K3_usb" << true << false << kPrinterPaused << QList<int>{};
        QTest::newRow("offline") << "A_K3_usb" << false << true << kPrinterOffline << QList<int>{};
        QTest::newRow("paused and offline") << "A_K3_usb" << true << true << kPrinterPaused << QList<int>{};
        QTest::newRow("no printer chosen") << "" << false << false << kPrinterNotChosen << QList<int>{};
        QTest::newRow("queue gone") << "NoSuchQueue" << false << false << kPrinterReady
                                    << QList<int>{kOutcomeQueueOpenFailed};
    }

    void statusOfChosenQueue()
    {
        QFETCH(QString, queue);
        QFETCH(bool, paused);
        QFETCH(bool, rejecting);
        QFETCH(int, status);
        QFETCH(QList<int>, posted);
        QVERIFY(Cups->Pause(QStringLiteral("A_K3_usb"), paused));
        QVERIFY(Cups->Reject(QStringLiteral("A_K3_usb"), rejecting));
        TSendThread thread;
        thread.SetMainForm(&Recorder);
        thread.SetPrinterName(queue);
        QCOMPARE(thread.GetPrinterStatus(), status);
        QCOMPARE(PostedOutcomes(), posted);
        QVERIFY(Cups->Pause(QStringLiteral("A_K3_usb"), false));
        QVERIFY(Cups->Reject(QStringLiteral("A_K3_usb"), false));
    }

    // Without a spooler there is nothing to find and nothing to report.
    void noSpooler()
    {
        const QByteArray saved = qgetenv("CUPS_SERVER");
        qputenv("CUPS_SERVER", QFile::encodeName(Temp.filePath(QStringLiteral("nothing.sock"))));
        QStringList list;
        int status = -1;
        // The spooler client keeps its server per thread: ask from a fresh one.
        std::unique_ptr<QThread> asker(QThread::create([&] {
            QueryUSBPrinters(QStringLiteral("K3"), list, &Recorder);
            status = QueryPrinterStatus(QStringLiteral("A_K3_usb"), &Recorder);
        }));
        asker->start();
        QVERIFY(asker->wait(30000));
        qputenv("CUPS_SERVER", saved);
        QCOMPARE(list, QStringList{});
        QCOMPARE(status, kPrinterReady);
        QCOMPARE(PostedOutcomes(), QList<int>{kOutcomeQueueOpenFailed});
    }
};

QTEST_GUILESS_MAIN(TestPrinterQueries)
#include "tst_PrinterQueries.moc"
