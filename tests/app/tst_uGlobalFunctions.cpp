#include "app/uGlobalFunctions.h"

#include <QTest>

class TestGlobalFunctions : public QObject
{
    Q_OBJECT

private slots:
    void versionFromFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("version");
        QTest::newRow("digits") << "313_k3.kx" << "3.13";
        QTest::newRow("letters") << "4a7.x2" << "4.a7";
        QTest::newRow("exactly three") << "402" << "4.02";
        // Shorter names give what they have and nothing beyond.
        QTest::newRow("two") << "31" << "3.1";
        QTest::newRow("one") << "3" << "3";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("non-ASCII") << QStringLiteral("ä12.kx") << QStringLiteral("ä.12");
    }
    void versionFromFileName()
    {
        QFETCH(QString, name);
        QTEST(VersionFromFileName(name), "version");
    }
};

QTEST_APPLESS_MAIN(TestGlobalFunctions)
#include "tst_uGlobalFunctions.moc"
