// A whole firmware update over TCP in the built program, driven by its keyboard
// accelerators alone, against a recording listener standing in for the printer.

#include "support/TempConfigHome.h"
#include "support/XvfbSession.h"
#include "support/uRecordingListener.h"
#include "support/uTestFiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

namespace {

// Waits, serving the listener meanwhile, for a visible window titled title other than `except`.
QString WaitForOtherWindow(XvfbSession& x, const QString& title, const QString& except, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs && x.Program().state() == QProcess::Running) {
        for (const QString& window : x.Windows(title))
            if (window != except)
                return window;
        QTest::qWait(200);
    }
    return QString();
}

} // namespace

class TestUpdateEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void firmwareUpdateOverTcpByKeyboard()
    {
        TTempConfigHome config;
        TRecordingListener printer;
        const QString file = config.Scratch() + QStringLiteral("/313_k3.kx");
        const QByteArray bytes = WritePatternFile(file, 50000);
        // The last run's choices: K3, Ethernet, this listener, this file.
        config.WriteFile(QStringLiteral("vorn/vornFirmwareUpdater/vornFirmwareUpdater.ini"),
                         "[FMainForm]\nFormVersion=0\ncxComboBoxPrinterModel_ItemIndex=7\n"
                         "cxRadioGroupPort_ItemIndex=3\nJvIPAddress_Text=127.0.0.1\ncxMaskEditIPPort_Text=" +
                             QByteArray::number(printer.Port()) + "\nJvFilenameEdit_FileName=" + file.toUtf8() +
                             "\ncxRadioGroupUpdateKind_ItemIndex=0\n[Global]\nEsctTimeOut=100\n");

        XvfbSession x;
        QVERIFY2(x.Start(), qPrintable(x.Error()));
        QVERIFY(x.Launch(qEnvironmentVariable("VORN_PROGRAM"),
                         {{"LANG", "en_US.UTF-8"}, {"XDG_CONFIG_HOME", config.Path()}}));
        const QString title = QStringLiteral("vornFirmwareUpdater");
        const QString main = x.WaitForWindow(title);
        QVERIFY(!main.isEmpty());

        QVERIFY(x.Keys(main, {"alt+u"}));
        const QString prompt = WaitForOtherWindow(x, title, main, 20000);
        QVERIFY2(!prompt.isEmpty(), "no instruction prompt");
        QVERIFY(x.Keys(prompt, {"Return"}));

        QTRY_COMPARE_WITH_TIMEOUT(printer.ClosedCount(), 2, 20000);
        const QByteArray command = QByteArray("\x1b\x74", 2) + "c78;3840\r\n";
        QCOMPARE(printer.Connections()[0].Data(), command);
        QCOMPARE(Sha256(printer.Connections()[1].Data()), Sha256(bytes));

        // The printer's 30-second installation wait runs in the program before it says so.
        const QString done = WaitForOtherWindow(x, title, main, 60000);
        QVERIFY2(!done.isEmpty(), "no \"Update done.\" box");
        QVERIFY(x.Keys(done, {"Return"}));
        QTRY_VERIFY_WITH_TIMEOUT(x.Windows(title) == QStringList{main}, 10000);

        QVERIFY(x.Keys(main, {"alt+f", "x"}));
        QVERIFY(x.WaitForExit(15000));
        QCOMPARE(x.Program().exitCode(), 0);
        QCOMPARE(printer.Connections().size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestUpdateEndToEnd)
#include "tst_e2e_update.moc"
