// Port names the user picks and the device files they open.

#include <QTest>

#include "ports/uDevicePaths.h"

class TestDevicePaths : public QObject
{
    Q_OBJECT

private slots:
    void deviceOfPort_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<TDevicePaths>("paths");
        QTest::addColumn<QString>("device");
        const TDevicePaths usbAdapter{{QStringLiteral("COM1"), QStringLiteral("/dev/ttyUSB0")},
                                      {QStringLiteral("LPT2"), QStringLiteral("")}};
        QTest::newRow("COM1 default") << "COM1" << TDevicePaths{} << "/dev/ttyS0";
        QTest::newRow("COM4 default") << "COM4" << TDevicePaths{} << "/dev/ttyS3";
        QTest::newRow("LPT1 default") << "LPT1" << TDevicePaths{} << "/dev/lp0";
        QTest::newRow("COM1 from the settings") << "COM1" << usbAdapter << "/dev/ttyUSB0";
        QTest::newRow("others keep their default") << "COM2" << usbAdapter << "/dev/ttyS1";
        QTest::newRow("an empty entry is no entry") << "LPT2" << usbAdapter << "/dev/lp1";
    }

    void deviceOfPort()
    {
        QFETCH(QString, port);
        QFETCH(TDevicePaths, paths);
        QFETCH(QString, device);
        QCOMPARE(DevicePathOf(port, paths), device);
    }
};

QTEST_GUILESS_MAIN(TestDevicePaths)
#include "tst_DevicePaths.moc"
