#include <memory>

#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include "app/uHandEditedSettings.h"
#include "app/uIniFileStorage.h"
#include "app/uMessageBox.h"
#include "app/uPaths.h"
#include "app/uSettingsFile.h"
#include "support/TempConfigHome.h"

namespace {

// Records the boxes shown and answers OK.
struct TBoxRecorder
{
    QList<TMessageBoxRequest> boxes;
    TBoxRecorder()
    {
        SetMessageBoxAnswerer([this](const TMessageBoxRequest& r) {
            boxes.append(r);
            return mrOk;
        });
    }
    ~TBoxRecorder() { SetMessageBoxAnswerer({}); }
};

std::unique_ptr<TIniFileStorage> StorageOf(const QByteArray& contents)
{
    auto storage = std::make_unique<TIniFileStorage>(QString{});
    storage->LoadData(contents);
    return storage;
}

} // namespace

class TstSettingsFile : public QObject
{
    Q_OBJECT
private slots:
    void firstStartCreatesFolders();
    void uncreatableFolderIsReportedAndStartGoesOn();
    void failedSaveNamesTheFile();
    void esctTimeOut_data();
    void esctTimeOut();
    void devicesAndCatalogue();
};

void TstSettingsFile::firstStartCreatesFolders()
{
    TTempConfigHome home;
    TBoxRecorder boxes;
    const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString name = PrepareSettingsFile(nullptr);
    QCOMPARE(name,
             home.Path() + QStringLiteral("/vorn/") + exe + QLatin1Char('/') + exe + QStringLiteral(".ini"));
    QVERIFY(QFileInfo(home.Path() + QStringLiteral("/vorn/") + exe).isDir());
    QVERIFY(!QFileInfo::exists(name));
    QVERIFY(boxes.boxes.isEmpty());
}

void TstSettingsFile::uncreatableFolderIsReportedAndStartGoesOn()
{
    TTempConfigHome home;
    TBoxRecorder boxes;
    home.WriteFile(QStringLiteral("vorn"), "a file where the folder belongs");
    const QString name = PrepareSettingsFile(nullptr);
    QCOMPARE(name, SettingsFileName());
    QCOMPARE(boxes.boxes.size(), 1);
    QCOMPARE(
        boxes.boxes[0].text,
        QStringLiteral("Unable to create the path:\r\n%1/\r\nto store the ini file.").arg(SettingsFolder()));
    QCOMPARE(boxes.boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(boxes.boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    // Defaults hold, and the save at the end tries again and tells what failed.
    TIniFileStorage storage(name);
    QCOMPARE(ReadEsctTimeOut(storage), kDefaultEsctTimeOut);
    storage.WriteInteger(QStringLiteral("FMainForm"), QStringLiteral("FormVersion"), 0);
    QVERIFY(!SaveSettingsFile(storage, nullptr));
    QCOMPARE(boxes.boxes.size(), 2);
}

void TstSettingsFile::failedSaveNamesTheFile()
{
    TTempConfigHome home;
    TBoxRecorder boxes;
    // A folder where the file belongs: the rename cannot replace it.
    QVERIFY(QDir().mkpath(SettingsFileName()));
    TIniFileStorage storage(SettingsFileName());
    storage.WriteString(QStringLiteral("Firmware"), QStringLiteral("K3"), QStringLiteral("/fw/a%s.kx"));
    QVERIFY(!SaveSettingsFile(storage, nullptr));
    QCOMPARE(boxes.boxes.size(), 1);
    QVERIFY2(boxes.boxes[0].text.startsWith(QStringLiteral("Unable to save the settings to the file:\r\n") +
                                            SettingsFileName() + QStringLiteral("\r\nrename: ")),
             qPrintable(boxes.boxes[0].text));
    QCOMPARE(boxes.boxes[0].icon, QMessageBox::Critical);
    QVERIFY(QFileInfo(SettingsFileName()).isDir());
    QCOMPARE(QDir(SettingsFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

void TstSettingsFile::esctTimeOut_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<int>("expected");
    QTest::newRow("absent") << QByteArray("[Global]\n") << 1000;
    QTest::newRow("hand-edited") << QByteArray("[Global]\nEsctTimeOut=2500\n") << 2500;
    QTest::newRow("zero") << QByteArray("[Global]\nEsctTimeOut=0\n") << 0;
    QTest::newRow("other section") << QByteArray("[FMainForm]\nEsctTimeOut=2500\n") << 1000;
    QTest::newRow("negative") << QByteArray("[Global]\nEsctTimeOut=-5\n") << 1000;
    QTest::newRow("days") << QByteArray("[Global]\nEsctTimeOut=999999999\n") << 1000;
    QTest::newRow("not a number") << QByteArray("[Global]\nEsctTimeOut=2.5s\n") << 1000;
}

void TstSettingsFile::esctTimeOut()
{
    QFETCH(QByteArray, contents);
    QFETCH(int, expected);
    QCOMPARE(ReadEsctTimeOut(*StorageOf(contents)), expected);
}

void TstSettingsFile::devicesAndCatalogue()
{
    QVERIFY(ReadPortDevices(*StorageOf("[Devices]\nCOM5=/dev/ttyS4\nUSB=/dev/usb/lp0\n")).isEmpty());

    const auto edited = StorageOf("[Devices]\nCOM1=/dev/ttyUSB0\nlpt2=/dev/usb/lp0\nCOM3=\n"
                                  "[Catalogue]\nHost=ftp.test.example\nPort=2121\n");
    const TPortDevices devices = ReadPortDevices(*edited);
    QCOMPARE(devices, (TPortDevices{{QStringLiteral("COM1"), QStringLiteral("/dev/ttyUSB0")},
                                    {QStringLiteral("LPT2"), QStringLiteral("/dev/usb/lp0")}}));
    const TCatalogueHostPort server = ReadCatalogueHostPort(*edited);
    QCOMPARE(server.Host, QStringLiteral("ftp.test.example"));
    QCOMPARE(server.Port, 2121);

    const TCatalogueHostPort fallback =
        ReadCatalogueHostPort(*StorageOf("[Catalogue]\nHost= \nPort=70000\n"));
    QCOMPARE(fallback.Host, QString());
    QCOMPARE(fallback.Port, 21);
}

QTEST_GUILESS_MAIN(TstSettingsFile)
#include "tst_uSettingsFile.moc"
