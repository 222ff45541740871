#include "support/XvfbSession.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The built program in a real X session, driven by its keyboard accelerators.
class TestWindowEndToEnd : public QObject
{
    Q_OBJECT

    QTemporaryDir config_;

    QString Program() const { return qEnvironmentVariable("VORN_PROGRAM"); }

private slots:
    void menuFollowsTheLanguage_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QStringList>("quitKeys");
        QTest::addColumn<QStringList>("inertKeys");
        QTest::addColumn<QByteArray>("said");
        // Each language's own accelerators reach Exit; another language's do nothing.
        QTest::newRow("French") << "fr_FR.UTF-8" << QStringList{"alt+f", "q"} << QStringList{"alt+f", "x", "Escape"}
                                << QByteArray();
        QTest::newRow("German") << "de_DE.UTF-8" << QStringList{"alt+d", "b"} << QStringList{"alt+f", "Escape"}
                                << QByteArray();
        QTest::newRow("English") << "en_US.UTF-8" << QStringList{"alt+f", "x"} << QStringList{"alt+f", "q", "Escape"}
                                 << QByteArray();
        QTest::newRow("garbage LANG") << "zz!?" << QStringList{"alt+f", "x"} << QStringList{"alt+f", "q", "Escape"}
                                      << QByteArray("no catalogue");
    }
    void menuFollowsTheLanguage()
    {
        QFETCH(QString, lang);
        QFETCH(QStringList, quitKeys);
        QFETCH(QStringList, inertKeys);
        QFETCH(QByteArray, said);
        XvfbSession x;
        QVERIFY2(x.Start(), qPrintable(x.Error()));
        QVERIFY(x.Launch(Program(), {{"LANG", lang}, {"XDG_CONFIG_HOME", config_.path()}}));
        const QString window = x.WaitForWindow(QStringLiteral("vornFirmwareUpdater"));
        QVERIFY2(!window.isEmpty(), x.Program().readAllStandardError().constData());
        QVERIFY(x.Keys(window, inertKeys));
        QVERIFY(!x.WaitForExit(1000));
        QVERIFY(x.Keys(window, quitKeys));
        QVERIFY(x.WaitForExit(15000));
        QCOMPARE(x.Program().exitStatus(), QProcess::NormalExit);
        QCOMPARE(x.Program().exitCode(), 0);
        QVERIFY(x.Program().readAllStandardError().contains(said));
    }

    void startsInEnglishWithoutItsLocaleFolder()
    {
        QTemporaryDir alone;
        const QString copy = alone.filePath(QStringLiteral("vornFirmwareUpdater"));
        QVERIFY(QFile::copy(Program(), copy));
        QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        XvfbSession x;
        QVERIFY2(x.Start(), qPrintable(x.Error()));
        QVERIFY(x.Launch(copy, {{"LANG", "fr_FR.UTF-8"}, {"XDG_CONFIG_HOME", config_.path()}}));
        const QString window = x.WaitForWindow(QStringLiteral("vornFirmwareUpdater"));
        QVERIFY(!window.isEmpty());
        QVERIFY(x.Keys(window, {"alt+f", "x"}));
        QVERIFY(x.WaitForExit(15000));
        QCOMPARE(x.Program().exitCode(), 0);
        QVERIFY(x.Program().readAllStandardError().contains("no catalogue for language \"fr_FR\""));
    }
};

QTEST_GUILESS_MAIN(TestWindowEndToEnd)
#include "tst_e2e_window.moc"
