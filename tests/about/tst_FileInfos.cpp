#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "about/uFileInfos.h"
#include "support/uElfFixture.h"

namespace {

bool WriteFile(const QString& path, const std::string& bytes)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return out.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

TFileInfoStruct InfoOf(const QString& path)
{
    TFileInfos reader(path);
    TFileInfoStruct info;
    reader.GetFileInfo(info);
    return info;
}

// Every field but the icon objects, which belong to the reader.
QStringList FieldsOf(const TFileInfoStruct& i)
{
    return {i.FileName,       i.TypeName,         i.Extension,        i.CompanyName,     i.FileDescription,
            i.FileVersion,    i.InternalName,     i.LegalCopyRight,   i.LegalTradeMarks, i.OriginalFileName,
            i.ProductName,    i.ProductVersion,   i.Comments,         i.SpecialBuild,    i.PrivateBuild,
            i.FileTypeName,   QString::number(i.IconIndex),           i.OpenCommand,     QString::number(i.ReadOnly),
            QString::number(i.Hidden),            QString::number(i.System),             QString::number(i.Created, 'f'),
            QString::number(i.Modified, 'f')};
}

} // namespace

class TestFileInfos : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void readsProgramsOwnVersion_data();
    void readsProgramsOwnVersion();
    void givesNothingForFilesWithoutData_data();
    void givesNothingForFilesWithoutData();
    void secondCallStartsAfresh();
    void fillsShellFields_data();
    void fillsShellFields();
    void cutsVersionText_data();
    void cutsVersionText();

private:
    QTemporaryDir dir_;
};

void TestFileInfos::initTestCase()
{
    QVERIFY(dir_.isValid());
    // A desktop of our own: one default application for plain text, nothing else.
    const QString config = dir_.filePath(QStringLiteral("config"));
    const QString data = dir_.filePath(QStringLiteral("data"));
    QVERIFY(QDir().mkpath(config) && QDir().mkpath(data + QStringLiteral("/applications")));
    qputenv("XDG_CONFIG_HOME", config.toUtf8());
    qputenv("XDG_CONFIG_DIRS", dir_.filePath(QStringLiteral("none")).toUtf8());
    qputenv("XDG_DATA_HOME", data.toUtf8());
    // The MIME database itself stays the system's.
    qputenv("XDG_DATA_DIRS", "/usr/share");
    QVERIFY(WriteFile(config + QStringLiteral("/mimeapps.list"),
                      "[Added Associations]\ntext/plain=other.desktop;\n"
                      "[Default Applications]\ntext/plain=missing.desktop;vorn-viewer.desktop;\n"));
    QVERIFY(WriteFile(data + QStringLiteral("/applications/vorn-viewer.desktop"),
                      "[Desktop Entry]\nType=Application\nName=Viewer\nExec=\"/opt/vorn tools/viewer\" --view %f\n"));
}

void TestFileInfos::readsProgramsOwnVersion_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("internalName");
    const QString self = QCoreApplication::applicationFilePath();
    QTest::newRow("this test program") << self << "tst_FileInfos";
    QTest::newRow("the updater") << qEnvironmentVariable("VORN_PROGRAM") << "vornFirmwareUpdater";

    // strip removes symbols and debug data; the version data must stay.
    const QString stripped = dir_.filePath(QStringLiteral("stripped"));
    QFile::remove(stripped);
    QFile::copy(self, stripped);
    QProcess strip;
    strip.start(QStringLiteral("strip"), {stripped});
    QVERIFY(strip.waitForFinished(60000) && strip.exitCode() == 0);
    QTest::newRow("this test program, stripped") << stripped << "tst_FileInfos";
}

void TestFileInfos::readsProgramsOwnVersion()
{
    QFETCH(QString, program);
    QFETCH(QString, internalName);
    const TFileInfoStruct info = InfoOf(program);
    QCOMPARE(info.FileVersion, QStringLiteral(VORN_VERSION));
    QCOMPARE(info.ProductVersion, QStringLiteral(VORN_VERSION));
    QCOMPARE(info.LegalCopyRight, QStringLiteral("Copyright © 2026 vorn"));
    QCOMPARE(info.CompanyName, QStringLiteral("vorn"));
    QCOMPARE(info.InternalName, internalName);
    QCOMPARE(info.OriginalFileName, internalName);
}

void TestFileInfos::givesNothingForFilesWithoutData_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing file") << dir_.filePath(QStringLiteral("nothing-here"));
    QTest::newRow("directory") << dir_.path();
    // Opening a FIFO for reading would wait for a writer that never comes.
    const QString fifo = dir_.filePath(QStringLiteral("fifo"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QTest::newRow("FIFO") << fifo;
}

void TestFileInfos::givesNothingForFilesWithoutData()
{
    QFETCH(QString, path);
    const TFileInfoStruct info = InfoOf(path);
    QCOMPARE(info.FileName, path);
    QCOMPARE(info.FileVersion, QString());
    QCOMPARE(info.LegalCopyRight, QString());
    QCOMPARE(info.CompanyName, QString());
}

void TestFileInfos::secondCallStartsAfresh()
{
    const QString path = dir_.filePath(QStringLiteral("changing.bin"));
    QVERIFY(WriteFile(path, ElfWithVersion(VersionBlock({{"FileVersion", "1.0.0.1"}, {"Comments", "first"}}))));
    TFileInfos reader(path);
    TFileInfoStruct first, second;
    reader.GetFileInfo(first);
    reader.GetFileInfo(second);
    QCOMPARE(FieldsOf(second), FieldsOf(first));
    QCOMPARE(second.Comments, QStringLiteral("first"));

    QVERIFY(WriteFile(path, ElfWithVersion(VersionBlock({{"FileVersion", "1.0.0.2"}}))));
    TFileInfoStruct third;
    reader.GetFileInfo(third);
    QCOMPARE(third.FileVersion, QStringLiteral("1.0.0.2"));
    QCOMPARE(third.Comments, QString());
}

void TestFileInfos::fillsShellFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<QString>("openCommand");
    const QString viewer = QStringLiteral("/opt/vorn tools/viewer");
    QTest::newRow("plain text") << "notes.txt" << 0644 << ".txt" << false << false << viewer;
    QTest::newRow("read-only") << "fixed.txt" << 0444 << ".txt" << true << false << viewer;
    QTest::newRow("dot file") << ".notes.txt" << 0644 << ".txt" << false << true << viewer;
    QTest::newRow("no default application") << "firmware.kx" << 0644 << ".kx" << false << false << QString();
    QTest::newRow("no extension") << "README" << 0644 << QString() << false << false << QString();
}

void TestFileInfos::fillsShellFields()
{
    QFETCH(QString, name);
    QFETCH(int, mode);
    QFETCH(QString, extension);
    QFETCH(bool, readOnly);
    QFETCH(bool, hidden);
    QFETCH(QString, openCommand);
    const QString path = dir_.filePath(name);
    QVERIFY(WriteFile(path, "some text\n"));
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0);

    const TFileInfoStruct info = InfoOf(path);
    QCOMPARE(info.Extension, extension);
    QCOMPARE(info.ReadOnly, readOnly);
    QCOMPARE(info.Hidden, hidden);
    QCOMPARE(info.System, false);
    QCOMPARE(info.OpenCommand, openCommand);
    QVERIFY(!info.TypeName.isEmpty());
    QVERIFY(info.TypeName.size() <= 80);
    QCOMPARE(info.IconIndex, 0);
    QVERIFY(info.Modified > 40000); // some day after the year 2009
    QVERIFY(info.Created > 40000);
}

void TestFileInfos::cutsVersionText_data()
{
    QTest::addColumn<QString>("fileVersion");
    QTest::addColumn<QString>("shown");
    QTest::newRow("four parts") << "1.2.3.4" << "1.2.3";
    QTest::newRow("two parts") << "2.01" << "2";
    QTest::newRow("two parts, one digit") << "3.5" << "3";
    QTest::newRow("no dot") << "7" << "7";
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("trailing dot") << "1.2." << "1.2";
}

void TestFileInfos::cutsVersionText()
{
    QFETCH(QString, fileVersion);
    QFETCH(QString, shown);
    QCOMPARE(VersionTextOf(fileVersion), shown);
}

QTEST_MAIN(TestFileInfos)
#include "tst_FileInfos.moc"
