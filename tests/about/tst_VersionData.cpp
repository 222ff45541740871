#include <limits>

#include <elf.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "about/uFileInfos.h"
#include "about/uVersionData.h"
#include "support/uElfFixture.h"

using namespace std::string_literals;

namespace {

const std::vector<TVersionString> kGoodStrings = {
    {"CompanyName", "vorn"},
    {"FileVersion", "1.2.3.4"},
    {"LegalCopyright", "Copyright \xC2\xA9 2026 vorn"},
    {"ORIGINALFILENAME", "vornFirmwareUpdater"},
};

// Offsets in a block made from kGoodStrings (see about/uVersionBlock.h).
constexpr std::size_t kBlockSizeAt = 8, kTranslationCountAt = 12, kTableCountAt = 16, kTableSizeAt = 24,
                      kStringCountAt = 36, kFirstValueLengthAt = 42;

std::string Patched(std::string bytes, std::size_t at, std::uint32_t value, std::size_t size = 4)
{
    for (std::size_t i = 0; i < size; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
    return bytes;
}

QByteArray Bytes(const std::string& s)
{
    return QByteArray(s.data(), qsizetype(s.size()));
}

QByteArray Elf(const std::string& block, bool is64 = true, bool bigEndian = false)
{
    return Bytes(ElfWithVersion(block, is64, bigEndian));
}

QByteArray Spoilt(void (*spoil)(TElfFixture&))
{
    TElfFixture f;
    f.sections = {{".text", "\x90\x90"}, {kVersionSectionName, VersionBlock(kGoodStrings)}};
    spoil(f);
    return Bytes(f.Bytes());
}

} // namespace

class TestVersionData : public QObject
{
    Q_OBJECT
private slots:
    void readsValuesFromProgramFile_data();
    void readsValuesFromProgramFile();
    void buildsSubBlockPath_data();
    void buildsSubBlockPath();
};

void TestVersionData::readsValuesFromProgramFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("fileVersion");
    QTest::addColumn<QString>("copyright");
    QTest::addColumn<QString>("originalName");

    const std::string good = VersionBlock(kGoodStrings);
    const QString version = QStringLiteral("1.2.3.4");
    const QString copyright = QStringLiteral("Copyright © 2026 vorn");
    const QString original = QStringLiteral("vornFirmwareUpdater");

    // Readable data, keys stored in other letter cases than they are asked for.
    QTest::newRow("ELF64 little-endian") << Elf(good) << version << copyright << original;
    QTest::newRow("ELF32 little-endian") << Elf(good, false) << version << copyright << original;
    QTest::newRow("ELF64 big-endian") << Elf(good, true, true) << version << copyright << original;
    QTest::newRow("ELF32 big-endian") << Elf(good, false, true) << version << copyright << original;
    QTest::newRow("section padded after the block") << Elf(good + std::string(12, '\0')) << version << copyright << original;
    QTest::newRow("value cut at a zero byte")
        << Elf(VersionBlock({{"FileVersion", "3.1\0junk"s}})) << "3.1" << QString() << QString();
    QTest::newRow("key missing from the table")
        << Elf(VersionBlock({{"FileVersion", "5.0.0.1"}})) << "5.0.0.1" << QString() << QString();

    // Only the first translation entry counts, whatever the order of the tables.
    const TVersionString german[] = {{"FileVersion", "2.0.0.0"}};
    const TVersionTable germanTable{0x0407, 0x04E4, german};
    const TVersionTable englishTable{0x0409, 0x04E4, kGoodStrings};
    const std::uint32_t de = VersionTranslation(0x0407, 0x04E4), en = VersionTranslation(0x0409, 0x04E4);
    QTest::newRow("first entry has fewer keys")
        << Elf(VersionBlock({de, en}, {englishTable, germanTable})) << "2.0.0.0" << QString() << QString();
    QTest::newRow("first entry names a missing table")
        << Elf(VersionBlock({VersionTranslation(0x040C, 0x04E4), en}, {englishTable})) << QString() << QString() << QString();
    QTest::newRow("no translation entry") << Elf(VersionBlock({}, {englishTable})) << QString() << QString() << QString();

    // Whatever disagrees gives no values at all, and nothing is read beyond the data.
    const QString none;
    QTest::newRow("block size beyond the section") << Elf(Patched(good, kBlockSizeAt, std::uint32_t(good.size() + 1))) << none << none << none;
    QTest::newRow("block size below its header") << Elf(Patched(good, kBlockSizeAt, 4)) << none << none << none;
    QTest::newRow("section cut short") << Elf(good.substr(0, good.size() - 1)) << none << none << none;
    QTest::newRow("translation count huge") << Elf(Patched(good, kTranslationCountAt, 0x40000000)) << none << none << none;
    QTest::newRow("bytes after the last table")
        << Elf(Patched(good + "xyz", kBlockSizeAt, std::uint32_t(good.size() + 3))) << none << none << none;
    QTest::newRow("table count too low") << Elf(Patched(good, kTableCountAt, 0)) << none << none << none;
    QTest::newRow("table count too high") << Elf(Patched(good, kTableCountAt, 2)) << none << none << none;
    QTest::newRow("table size below its header") << Elf(Patched(good, kTableSizeAt, 8)) << none << none << none;
    QTest::newRow("table size huge") << Elf(Patched(good, kTableSizeAt, 0xFFFFFFFF)) << none << none << none;
    QTest::newRow("string count too high") << Elf(Patched(good, kStringCountAt, 5)) << none << none << none;
    QTest::newRow("string count too low") << Elf(Patched(good, kStringCountAt, 3)) << none << none << none;
    QTest::newRow("value length past the table") << Elf(Patched(good, kFirstValueLengthAt, 0xFFFF, 2)) << none << none << none;
    QTest::newRow("wrong magic") << Elf("VORNver1" + good.substr(8)) << none << none << none;
    QTest::newRow("empty section") << Elf(std::string()) << none << none << none;

    QTest::newRow("no version section") << Spoilt([](TElfFixture& f) { f.sections.pop_back(); }) << none << none << none;
    QTest::newRow("not an ELF file") << QByteArray("FileVersion=1.2.3.4\n") << none << none << none;
    QTest::newRow("empty file") << QByteArray() << none << none << none;
    QTest::newRow("ELF file cut short") << Elf(good).left(40) << none << none << none;
    QTest::newRow("section table cut off") << Elf(good).chopped(8) << none << none << none;
    QTest::newRow("section data past the end")
        << Spoilt([](TElfFixture& f) { f.lastOffset = 1u << 30; }) << none << none << none;
    QTest::newRow("section offset and size overflow")
        << Spoilt([](TElfFixture& f) { f.lastOffset = std::numeric_limits<std::uint64_t>::max() - 2; }) << none << none << none;
    QTest::newRow("section size huge") << Spoilt([](TElfFixture& f) { f.lastSize = 1ull << 40; }) << none << none << none;
    QTest::newRow("section without data in the file")
        << Spoilt([](TElfFixture& f) { f.sections.back().type = SHT_NOBITS; }) << none << none << none;
    QTest::newRow("section name past the name table")
        << Spoilt([](TElfFixture& f) { f.lastNameOffset = 5000; }) << none << none << none;
    QTest::newRow("name table index out of range")
        << Spoilt([](TElfFixture& f) { f.namesIndex = 200; }) << none << none << none;
    QTest::newRow("section header entries too small")
        << Spoilt([](TElfFixture& f) { f.headerEntrySize = 8; }) << none << none << none;
}

void TestVersionData::readsValuesFromProgramFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, fileVersion);
    QFETCH(QString, copyright);
    QFETCH(QString, originalName);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("program"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();

    TFileInfos reader(path);
    TFileInfoStruct info;
    reader.GetFileInfo(info);
    QCOMPARE(info.FileVersion, fileVersion);
    QCOMPARE(info.LegalCopyRight, copyright);
    QCOMPARE(info.OriginalFileName, originalName);
    QCOMPARE(info.LegalTradeMarks, QString());

    // The image in memory (the fuzzer's way in) reads the same as the file.
    TVersionData data;
    data.LoadFromElfImage(std::string_view(file.constData(), std::size_t(file.size())));
    QCOMPARE(QString::fromStdString(data.ReadVersionValue("FileVersion")), fileVersion);
}

void TestVersionData::buildsSubBlockPath_data()
{
    QTest::addColumn<uint>("translation");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("path");
    QTest::newRow("German, Windows-1252") << uint(0x04E40407) << "FileVersion" << "\\StringFileInfo\\040704E4\\FileVersion";
    QTest::newRow("hex digits upper case") << uint(0xFDE9ABCD) << "Comments" << "\\StringFileInfo\\ABCDFDE9\\Comments";
    QTest::newRow("zeros kept") << uint(0x00000001) << "K" << "\\StringFileInfo\\00010000\\K";
}

void TestVersionData::buildsSubBlockPath()
{
    QFETCH(uint, translation);
    QFETCH(QString, key);
    QFETCH(QString, path);
    QCOMPARE(QString::fromStdString(StringSubBlock(translation, key.toStdString())), path);
}

QTEST_MAIN(TestVersionData)
#include "tst_VersionData.moc"
