#include "app/uMoFile.h"

#include "support/Msgfmt.h"

#include <QTest>

#include <cstring>

namespace {

const QByteArray kEntries = "msgid \"&File\"\nmsgstr \"&Fichier\"\n\n"
                            "msgid \"Update\"\nmsgstr \"Mise à jour\"\n\n"
                            "msgid \"A\\r\\nB\"\nmsgstr \"C\\r\\nD\"\n\n"
                            "msgid \"Untranslated\"\nmsgstr \"\"\n\n"
                            "msgid \"one file\"\nmsgid_plural \"%d files\"\nmsgstr[0] \"un fichier\"\n"
                            "msgstr[1] \"%d fichiers\"\n\n";

std::string Bytes(const QByteArray& a)
{
    return std::string(a.constData(), std::size_t(a.size()));
}

void PutWord(std::string& data, std::size_t at, std::uint32_t v)
{
    if (at + 4 <= data.size())
        std::memcpy(&data[at], &v, 4); // msgfmt writes the host's order here
}

std::uint32_t GetWord(const std::string& data, std::size_t at)
{
    std::uint32_t v = 0;
    std::memcpy(&v, &data[at], 4);
    return v;
}

} // namespace

class TestMoFile : public QObject
{
    Q_OBJECT

    std::string good_;

private slots:
    void initTestCase()
    {
        good_ = Bytes(Msgfmt(PoHeader("UTF-8") + kEntries));
        QVERIFY(!good_.empty());
    }

    void lookup_data()
    {
        QTest::addColumn<QString>("endianness");
        QTest::addColumn<QString>("msgid");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("translation");
        for (const char* order : {"little", "big"}) {
            auto row = [&](const char* name) -> QTestData& { return QTest::addRow("%s %s", order, name); };
            row("plain") << QString::fromLatin1(order) << "&File" << true << "&Fichier";
            row("non-ASCII translation") << QString::fromLatin1(order) << "Update" << true << QStringLiteral("Mise à jour");
            row("line breaks") << QString::fromLatin1(order) << "A\r\nB" << true << "C\r\nD";
            row("absent") << QString::fromLatin1(order) << "Exit" << false << "";
            row("prefix of an entry") << QString::fromLatin1(order) << "&Fil" << false << "";
            row("plural by its singular") << QString::fromLatin1(order) << "one file" << true << "un fichier";
            row("untranslated entries are left out by msgfmt") << QString::fromLatin1(order) << "Untranslated" << false << "";
        }
    }
    void lookup()
    {
        QFETCH(QString, endianness);
        QFETCH(QString, msgid);
        const std::string data =
            Bytes(Msgfmt(PoHeader("UTF-8") + kEntries, {QStringLiteral("--endianness=") + endianness}));
        TMoFile mo;
        std::string error;
        QVERIFY2(mo.Load(data, &error), error.c_str());
        QCOMPARE(QString::fromStdString(mo.Charset()), QStringLiteral("UTF-8"));
        const QByteArray key = msgid.toUtf8();
        const auto found = mo.Lookup(std::string_view(key.constData(), std::size_t(key.size())));
        QTEST(found.has_value(), "found");
        if (found)
            QTEST(QString::fromUtf8(found->data(), qsizetype(found->size())), "translation");
    }

    void charset_data()
    {
        QTest::addColumn<QByteArray>("declared");
        QTest::addColumn<QString>("read");
        QTest::newRow("UTF-8") << QByteArray("UTF-8") << "UTF-8";
        QTest::newRow("Latin-1") << QByteArray("ISO-8859-1") << "ISO-8859-1";
        QTest::newRow("none") << QByteArray() << "";
    }
    void charset()
    {
        QFETCH(QByteArray, declared);
        TMoFile mo;
        QVERIFY(mo.Load(Bytes(Msgfmt(PoHeader(declared) + "msgid \"a\"\nmsgstr \"b\"\n")), nullptr));
        QTEST(QString::fromStdString(mo.Charset()), "read");
    }

    // Each damaged catalogue is refused, or at least never read outside its data (ASan watches).
    void damagedCatalogues_data()
    {
        QTest::addColumn<int>("damage");
        QTest::addColumn<bool>("refused");
        QTest::newRow("empty") << 0 << true;
        QTest::newRow("bad magic") << 1 << true;
        QTest::newRow("unknown major revision") << 2 << true;
        QTest::newRow("count beyond the file") << 3 << true;
        QTest::newRow("table offset beyond the file") << 4 << true;
        QTest::newRow("string offset beyond the file") << 5 << true;
        QTest::newRow("string length beyond the file") << 6 << true;
        QTest::newRow("string without its NUL") << 7 << true;
        QTest::newRow("length that wraps 32 bits") << 8 << true;
        QTest::newRow("unsorted originals") << 9 << false;
    }
    void damagedCatalogues()
    {
        QFETCH(int, damage);
        std::string data = good_;
        const std::uint32_t originals = GetWord(data, 12);
        switch (damage) {
        case 0: data.clear(); break;
        case 1: data[0] = 'X'; break;
        case 2: PutWord(data, 4, 0x00010000); break;
        case 3: PutWord(data, 8, 0x10000000); break;
        case 4: PutWord(data, 16, std::uint32_t(data.size()) - 4); break;
        case 5: PutWord(data, originals + 12, std::uint32_t(data.size()) + 100); break;
        case 6: PutWord(data, originals + 8, std::uint32_t(data.size())); break;
        case 7: data[GetWord(data, originals + 12) + GetWord(data, originals + 8)] = 'x'; break;
        case 8: PutWord(data, originals + 8, 0xffffffffu); break;
        case 9: std::swap(data[GetWord(data, originals + 12)], data[GetWord(data, originals + 20)]); break;
        }
        TMoFile mo;
        std::string error;
        const bool loaded = mo.Load(data, &error);
        QTEST(!loaded, "refused");
        QCOMPARE(error.empty(), loaded);
        for (const char* key : {"", "&File", "Update", "zzz"})
            mo.Lookup(key);
        mo.Charset();
    }

    void everyTruncationIsRefused()
    {
        for (std::size_t size = 0; size < good_.size(); ++size) {
            TMoFile mo;
            // A prefix that still holds every table and string (msgfmt may pad the end) may load.
            if (mo.Load(good_.substr(0, size), nullptr))
                QVERIFY(size >= good_.size() - 8);
            mo.Lookup("&File");
        }
    }
};

QTEST_APPLESS_MAIN(TestMoFile)
#include "tst_uMoFile.moc"
