#include <csignal>
#include <cstdio>

#include <sys/resource.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include "app/uIniFileStorage.h"

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(data), data.size());
}

// Large enough that a save takes a while, so kills land inside it.
QString Blob(char c)
{
    return QString(300000, QLatin1Char(c));
}

void FillRound(TIniFileStorage& storage, int round)
{
    storage.WriteString(QStringLiteral("Test"), QStringLiteral("Blob"), Blob(round % 2 ? 'B' : 'A'));
    storage.WriteInteger(QStringLiteral("Test"), QStringLiteral("Parity"), round % 2);
}

QByteArray ContentsOfRound(int round)
{
    TIniFileStorage storage(QString{});
    FillRound(storage, round);
    return storage.Contents();
}

// Child process of the kill test: saves the two versions in turn until killed.
int SaveLoop(const char* path)
{
    TIniFileStorage storage(QString::fromLocal8Bit(path));
    for (int round = 0; round < 100000; ++round) {
        FillRound(storage, round);
        QString error;
        if (!storage.Save(error))
            return 1;
        std::puts("saved");
        std::fflush(stdout);
    }
    return 0;
}

QStringList FolderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

class TstIniFileStorage : public QObject
{
    Q_OBJECT
private slots:
    void keysAndValuesStandAsTheyAre();
    void integersAreStrictlyDecimalAndBounded_data();
    void integersAreStrictlyDecimalAndBounded();
    void badFilesReadAsEmpty_data();
    void badFilesReadAsEmpty();
    void lineBreakInValueForgesNoKey();
    void failedWriteKeepsOldFile();
    void symbolicLinkStaysLink();
    void killDuringSaveLeavesWholeFile();
};

void TstIniFileStorage::keysAndValuesStandAsTheyAre()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.ini"));
    // As a user or an older version of the program may have written it.
    const QByteArray handWritten = "[FMainForm]\n"
                                   "NormPos=10,20,569,340\n"
                                   "JvFilenameEdit_FileName=C:\\fw\\a,b;c #1.kx\n"
                                   "[Firmware]\n"
                                   "Corvin5 200dpi=/home/u/fw/\xc3\xa9t\xc3\xa9 1,2\\x.52h\n";
    WriteAll(path, handWritten);
    {
        TIniFileStorage storage(path);
        QCOMPARE(storage.ReadString(QStringLiteral("FMainForm"), QStringLiteral("NormPos")),
                 QStringLiteral("10,20,569,340"));
        QCOMPARE(storage.ReadString(QStringLiteral("FMainForm"), QStringLiteral("JvFilenameEdit_FileName")),
                 QStringLiteral("C:\\fw\\a,b;c #1.kx"));
        QCOMPARE(storage.ReadString(QStringLiteral("Firmware"), QStringLiteral("Corvin5 200dpi")),
                 QString::fromUtf8("/home/u/fw/\xc3\xa9t\xc3\xa9 1,2\\x.52h"));
        storage.WriteString(QStringLiteral("PPP"), QStringLiteral("Corvin5 300dpi"),
                            QStringLiteral("D:\\p p,q.ppp"));
        QString error;
        QVERIFY2(storage.Save(error), qPrintable(error));
    }
    const QByteArray saved = ReadAll(path);
    for (const char* line : {"NormPos=10,20,569,340\n", "JvFilenameEdit_FileName=C:\\fw\\a,b;c #1.kx\n",
                             "Corvin5 200dpi=/home/u/fw/\xc3\xa9t\xc3\xa9 1,2\\x.52h\n", "[PPP]\n",
                             "Corvin5 300dpi=D:\\p p,q.ppp\n"})
        QVERIFY2(saved.contains(line), line);
    QVERIFY(!saved.startsWith("\xef\xbb\xbf"));
    TIniFileStorage again(path);
    QCOMPARE(again.ReadString(QStringLiteral("ppp"), QStringLiteral("corvin5 300DPI")),
             QStringLiteral("D:\\p p,q.ppp"));
}

void TstIniFileStorage::integersAreStrictlyDecimalAndBounded_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("lowest");
    QTest::addColumn<int>("highest");
    QTest::addColumn<int>("expected");
    const int lo = INT_MIN;
    const int hi = INT_MAX;
    QTest::newRow("plain") << QByteArray("2500") << lo << hi << 2500;
    QTest::newRow("negative") << QByteArray("-7") << lo << hi << -7;
    QTest::newRow("negative below range") << QByteArray("-7") << 0 << hi << 42;
    QTest::newRow("above range") << QByteArray("40") << 0 << 18 << 42;
    QTest::newRow("upper bound") << QByteArray("18") << 0 << 18 << 18;
    QTest::newRow("spaces around") << QByteArray("  12  ") << lo << hi << 12;
    QTest::newRow("trailing text") << QByteArray("12ms") << lo << hi << 42;
    QTest::newRow("hex") << QByteArray("0x10") << lo << hi << 42;
    QTest::newRow("overflow") << QByteArray("99999999999") << lo << hi << 42;
    QTest::newRow("empty") << QByteArray("") << lo << hi << 42;
}

void TstIniFileStorage::integersAreStrictlyDecimalAndBounded()
{
    QFETCH(QByteArray, value);
    QFETCH(int, lowest);
    QFETCH(int, highest);
    QFETCH(int, expected);
    TIniFileStorage storage(QString{});
    storage.LoadData("[S]\nK=" + value + "\n");
    QCOMPARE(storage.ReadInteger(QStringLiteral("S"), QStringLiteral("K"), 42, lowest, highest), expected);
    QCOMPARE(storage.FindInteger(QStringLiteral("S"), QStringLiteral("K"), lowest, highest).has_value(),
             expected != 42);
}

void TstIniFileStorage::badFilesReadAsEmpty_data()
{
    QTest::addColumn<QByteArray>("contents");
    QByteArray binary(4096, '\0');
    for (auto& b : binary)
        b = static_cast<char>(QRandomGenerator::global()->bounded(256));
    QTest::newRow("binary") << binary;
    QTest::newRow("NUL in a value") << QByteArray("[Global]\nEsctTimeOut=25\0"
                                                  "00\n",
                                                  22);
    QTest::newRow("unterminated section") << QByteArray("[Global\nEsctTimeOut=2500");
    QTest::newRow("only separators") << QByteArray("=\n=\n[]\n]\n[");
    QTest::newRow("over a megabyte") << "[Global]\nEsctTimeOut=2500\nX=" + QByteArray(1100000, 'x') + "\n";
}

void TstIniFileStorage::badFilesReadAsEmpty()
{
    QFETCH(QByteArray, contents);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.ini"));
    WriteAll(path, contents);
    TIniFileStorage storage(path);
    // Whatever was readable, a number out of it is bounded and nothing crashes.
    const int value =
        storage.ReadInteger(QStringLiteral("Global"), QStringLiteral("EsctTimeOut"), 1000, 0, 600000);
    QVERIFY(value >= 0 && value <= 600000);
    if (contents.size() > 1024 * 1024)
        QVERIFY(!storage.HasValue(QStringLiteral("Global"), QStringLiteral("EsctTimeOut")));
    storage.WriteInteger(QStringLiteral("Global"), QStringLiteral("X"), 1);
    QString error;
    QVERIFY2(storage.Save(error), qPrintable(error));
    QCOMPARE(TIniFileStorage(path).ReadInteger(QStringLiteral("Global"), QStringLiteral("X"), 0), 1);
}

void TstIniFileStorage::lineBreakInValueForgesNoKey()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.ini"));
    {
        TIniFileStorage storage(path);
        storage.WriteString(QStringLiteral("FMainForm"), QStringLiteral("JvFilenameEdit_FileName"),
                            QStringLiteral("/old.kx"));
        for (const char* bad : {"/tmp/a\n[Global]\nEsctTimeOut=99", "/tmp/b\r\nX=1"})
            QVERIFY(!storage.WriteString(QStringLiteral("FMainForm"),
                                         QStringLiteral("JvFilenameEdit_FileName"), QString::fromUtf8(bad)));
        QString error;
        QVERIFY2(storage.Save(error), qPrintable(error));
    }
    TIniFileStorage again(path);
    QVERIFY(!again.HasValue(QStringLiteral("FMainForm"), QStringLiteral("JvFilenameEdit_FileName")));
    QVERIFY(!again.HasValue(QStringLiteral("Global"), QStringLiteral("EsctTimeOut")));
    QVERIFY(!again.HasValue(QStringLiteral("FMainForm"), QStringLiteral("X")));
}

void TstIniFileStorage::failedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.ini"));
    const QByteArray old = "[Global]\nEsctTimeOut=2500\n";
    WriteAll(path, old);
    TIniFileStorage storage(path);
    storage.WriteString(QStringLiteral("Test"), QStringLiteral("Blob"), Blob('A'));

    // A file size limit makes the kernel refuse the write as a full disk would.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool ok = storage.Save(error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!ok);
    QVERIFY(!error.isEmpty());
    QCOMPARE(ReadAll(path), old);
    QCOMPARE(FolderEntries(dir.path()), QStringList{QStringLiteral("s.ini")});
    // The next save, with room again, goes through.
    QVERIFY2(storage.Save(error), qPrintable(error));
    QCOMPARE(TIniFileStorage(path).ReadString(QStringLiteral("Test"), QStringLiteral("Blob")), Blob('A'));
}

void TstIniFileStorage::symbolicLinkStaysLink()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("real.ini"));
    const QString link = dir.filePath(QStringLiteral("s.ini"));
    WriteAll(target, "[Global]\nEsctTimeOut=2500\n");
    QVERIFY(QFile::link(target, link));
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    TIniFileStorage storage(link);
    storage.WriteInteger(QStringLiteral("Global"), QStringLiteral("EsctTimeOut"), 3000);
    QString error;
    QVERIFY2(storage.Save(error), qPrintable(error));
    QVERIFY(QFileInfo(link).isSymLink());
    QVERIFY(ReadAll(target).contains("EsctTimeOut=3000"));
    const auto modeBits = QFileDevice::Permissions(0x7077); // owner, group, others: the file's real mode
    QCOMPARE(QFile::permissions(target) & modeBits, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TstIniFileStorage::killDuringSaveLeavesWholeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.ini"));
    const QByteArray versions[2] = {ContentsOfRound(0), ContentsOfRound(1)};
    for (int attempt = 0; attempt < 20; ++attempt) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--save-loop"), path});
        QVERIFY(child.waitForStarted());
        // Let it finish a few saves, then kill it at a varying point of the next ones.
        const int savesBeforeKill = 1 + attempt % 4;
        int saves = 0;
        while (saves < savesBeforeKill && child.waitForReadyRead(30000))
            saves += child.readAll().count("saved");
        QVERIFY(saves >= savesBeforeKill);
        QThread::usleep(QRandomGenerator::global()->bounded(3000));
        child.kill();
        QVERIFY(child.waitForFinished());
        const QByteArray onDisk = ReadAll(path);
        QVERIFY2(onDisk == versions[0] || onDisk == versions[1],
                 qPrintable(QStringLiteral("attempt %1: %2 bytes").arg(attempt).arg(onDisk.size())));
    }
}

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--save-loop") == 0)
        return SaveLoop(argv[2]);
    QCoreApplication app(argc, argv);
    TstIniFileStorage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_uIniFileStorage.moc"
