// The raw spooler job against a private cupsd with a capturing usb backend.

#include <memory>

#include <QTemporaryDir>
#include <QTest>

#include "app/uTranslation.h"
#include "ports/PrtRaw.h"
#include "ports/RawPrint.h"
#include "support/uCupsPeer.h"
#include "support/uTestFiles.h"

namespace {
const QString kQueue = QStringLiteral("RawK1");
const QString kPort = QStringLiteral("usb://Vorn/K1?serial=1");
const QString kDocument = QStringLiteral("Firmware update");
} // namespace

class TestRawPrint : public QObject
{
    Q_OBJECT

    QTemporaryDir Temp;
    std::unique_ptr<TCupsPeer> Cups;

    QByteArray NextJob(qsizetype before)
    {
        [&] { QTRY_VERIFY_WITH_TIMEOUT(Cups->Captured(kQueue).size() > before, 20000); }();
        return Cups->Captured(kQueue).value(before);
    }

private slots:
    void initTestCase()
    {
        Cups = std::make_unique<TCupsPeer>(Temp.filePath(QStringLiteral("cups")));
        QVERIFY(Cups->Start());
        QVERIFY(Cups->AddQueue(kQueue, QStringLiteral("Vorn K1 200dpi"), kPort));
    }

    void cleanupTestCase() { Cups.reset(); }

    // Everything written between construction and destruction is one document,
    // byte for byte; empty writes touch nothing.
    void writesFormOneDocument_data()
    {
        QTest::addColumn<QList<qint64>>("writes");
        QTest::newRow("4096 then 10") << QList<qint64>{4096, 10};
        QTest::newRow("empty writes between") << QList<qint64>{0, 5000, 0, 1};
        QTest::newRow("3 MiB in blocks") << QList<qint64>(768, 4096);
    }

    void writesFormOneDocument()
    {
        QFETCH(QList<qint64>, writes);
        const qsizetype before = Cups->Captured(kQueue).size();
        QByteArray all;
        {
            TWinRawPrinter printer(kQueue, kPort, kDocument);
            quint32 seed = 1;
            for (qint64 n : writes) {
                const QByteArray chunk = PatternBytes(n, seed++);
                QCOMPARE(printer.Write(chunk), 1);
                all += chunk;
            }
        }
        const QByteArray job = NextJob(before);
        QCOMPARE(job.size(), all.size());
        QCOMPARE(Sha256(job), Sha256(all));
        QCOMPARE(Cups->CapturedTitles(kQueue).value(before), kDocument);
    }

    // A job that cannot be started raises with a text in the user's language.
    void unusableQueueRaises_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("rejecting");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing, English") << "en" << false << "StartRawPrintJob failed";
        QTest::newRow("missing, German") << "de" << false << "StartRawPrintJob fehlgeschlagen";
        QTest::newRow("rejecting jobs, French") << "fr" << true << "Échec de StartRawPrintJob";
    }

    void unusableQueueRaises()
    {
        QFETCH(QString, language);
        QFETCH(bool, rejecting);
        QFETCH(QString, message);
        UseLanguage(language);
        const QString queue = rejecting ? kQueue : QStringLiteral("NoSuchQueue");
        if (rejecting)
            QVERIFY(Cups->Reject(kQueue, true));
        QString caught;
        try {
            TWinRawPrinter printer(queue, kPort, kDocument);
        } catch (const ERawPrinterException& e) {
            caught = e.Message();
        }
        if (rejecting)
            QVERIFY(Cups->Reject(kQueue, false));
        UseLanguage(QStringLiteral("en"));
        QCOMPARE(caught, message);
    }

    void routinesAnswerOneOrMinusOne()
    {
        QCOMPARE(PrintRawData(nullptr, "x", 0), 1);
        QCOMPARE(PrintRawData(nullptr, "x", 1), -1);
        QCOMPARE(StartRawPrintJob(QStringLiteral("NoSuchQueue"), kPort, kDocument), nullptr);
        QCOMPARE(EndRawPrintJob(nullptr), -1);
    }
};

QTEST_GUILESS_MAIN(TestRawPrint)
#include "tst_RawPrint.moc"
