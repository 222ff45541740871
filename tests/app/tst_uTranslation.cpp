#include "app/uMain.h"
#include "app/uMessageBox.h"
#include "app/uRadioGroup.h"
#include "app/uStatusBar.h"
#include "app/uTranslation.h"
#include "ports/uComPortDlg.h"

#include "support/Msgfmt.h"
#include "support/StderrCapture.h"
#include "support/TempConfigHome.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// A locale folder holding one "de" catalogue made of the given MO bytes.
class TLocaleFolder
{
public:
    explicit TLocaleFolder(const QByteArray& mo)
    {
        QDir(dir_.path()).mkpath(QStringLiteral("de/LC_MESSAGES"));
        QFile file(dir_.filePath(QStringLiteral("de/LC_MESSAGES/default.mo")));
        if (file.open(QIODevice::WriteOnly))
            file.write(mo);
        SetLocaleFolder(dir_.path());
    }
    ~TLocaleFolder() { SetLocaleFolder(QString()); }

private:
    QTemporaryDir dir_;
};

} // namespace

class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        SetLocaleFolder(QString());
        UseLanguage(QStringLiteral("en"));
    }

    void languageOfTheEnvironment_data()
    {
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<QString>("language");
        QTest::newRow("with charset") << QByteArray("fr_FR.UTF-8") << "fr_FR";
        QTest::newRow("with modifier") << QByteArray("de_DE@euro") << "de_DE";
        QTest::newRow("bare") << QByteArray("de") << "de";
    }
    void languageOfTheEnvironment()
    {
        QFETCH(QByteArray, lang);
        const QByteArray saved = qgetenv("LANG");
        qputenv("LANG", lang);
        const QString language = DefaultLanguage();
        qputenv("LANG", saved);
        QTEST(language, "language");
    }

    void lookupByLanguage_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("complains");
        QTest::newRow("German") << "de" << "&Datei" << false;
        QTest::newRow("French") << "fr" << "&Fichier" << false;
        QTest::newRow("French of France") << "fr_FR" << "&Fichier" << false;
        QTest::newRow("German of Austria") << "de_AT" << "&Datei" << false;
        QTest::newRow("English") << "en" << "&File" << false;
        QTest::newRow("C locale") << "C" << "&File" << false;
        QTest::newRow("no catalogue") << "it" << "&File" << true;
        QTest::newRow("garbage") << "x!y z" << "&File" << false;
        QTest::newRow("climbing out of the folder") << "../../de" << "&File" << false;
    }
    void lookupByLanguage()
    {
        QFETCH(QString, code);
        StderrCapture err;
        UseLanguage(code);
        QTEST(Tr("&File"), "file");
        QCOMPARE(GetCurrentLanguage(), code);
        if (QTest::currentDataTag() == QByteArray("no catalogue"))
            QVERIFY(err.Text().contains("no catalogue for language \"it\""));
    }

    void formattedTexts()
    {
        UseLanguage(QStringLiteral("de"));
        QCOMPARE(TrFormat("'%s' is not a valid integer value.", {QStringLiteral("%s")}),
                 QStringLiteral("'%s' ist keine gültige ganze Zahl."));
        QCOMPARE(TrFormat("'%s' is not a valid integer value.", {}), QStringLiteral("'' ist keine gültige ganze Zahl."));
    }

    void refusedCatalogues_data()
    {
        QTest::addColumn<QByteArray>("mo");
        QTest::addColumn<QByteArray>("said");
        const QByteArray entry = "msgid \"&File\"\nmsgstr \"&Datei\"\n";
        QTest::newRow("Latin-1") << Msgfmt(PoHeader("ISO-8859-1") + entry) << QByteArray("UTF-8 charset");
        QTest::newRow("no charset") << Msgfmt(PoHeader("") + entry) << QByteArray("UTF-8 charset");
        QTest::newRow("truncated") << Msgfmt(PoHeader("UTF-8") + entry).left(40) << QByteArray("refused catalogue");
        QTest::newRow("not a catalogue") << QByteArray(200, 'x') << QByteArray("refused catalogue");
        QTest::newRow("empty file") << QByteArray() << QByteArray("refused catalogue");
    }
    void refusedCatalogues()
    {
        QFETCH(QByteArray, mo);
        TLocaleFolder folder(mo);
        StderrCapture err;
        UseLanguage(QStringLiteral("de"));
        QCOMPARE(Tr("&File"), QStringLiteral("&File"));
        QFETCH(QByteArray, said);
        QVERIFY2(err.Text().contains(said), err.Text().constData());
    }

    void missingLocaleFolderKeepsEnglish()
    {
        SetLocaleFolder(QStringLiteral("/nonexistent/locale"));
        StderrCapture err;
        UseLanguage(QStringLiteral("fr"));
        QCOMPARE(Tr("&File"), QStringLiteral("&File"));
        QVERIFY(err.Text().contains("no catalogue"));
    }

    void mainWindowSwitchesLanguage()
    {
        SetMessageBoxAnswerer([](const TMessageBoxRequest&) { return mrOk; });
        UseLanguage(QStringLiteral("fr"));
        TTempConfigHome config;
        auto form = std::make_unique<TFMainForm>();
        form->VersionText = QStringLiteral("1.2.3");
        QCOMPARE(form->Fichier1->title(), QStringLiteral("&Fichier"));
        QCOMPARE(form->cxButtonUpdate->text(), QStringLiteral("&Mettre à jour"));

        struct TStep
        {
            QAction* item;
            QString file, update, label, hint, serialTitle;
        };
        const QString serialTitleAtStart = QStringLiteral("Configurer le port série");
        for (const TStep& step : {
                 TStep{form->German1, "&Datei", "&Aktualisieren", "Drucker:", "1 bis 65535", serialTitleAtStart},
                 TStep{form->English1, "&File", "&Update", "Printer model:", "1 to 65535", serialTitleAtStart},
                 TStep{form->French1, "&Fichier", "&Mettre à jour", "Modèle :", "1 à 65535",
                       serialTitleAtStart},
             }) {
            step.item->trigger();
            QCOMPARE(form->Fichier1->title(), step.file);
            QCOMPARE(form->cxButtonUpdate->text(), step.update);
            QCOMPARE(form->Label2->text(), step.label);
            QCOMPARE(form->cxMaskEditIPPort->toolTip(), step.hint);
            // Entry captions are names the program relies on, in every language.
            QCOMPARE(form->cxRadioGroupPort->Caption(2), QStringLiteral("USB"));
            QCOMPARE(form->cxRadioGroupPort->Caption(3), QStringLiteral("Ethernet"));
            QCOMPARE(form->cxRadioGroupUpdateKind->Caption(1), QStringLiteral("Bootloader"));
            QCOMPARE(form->StatusBar->PanelText(2), QStringLiteral("V1.2.3"));
            QCOMPARE(form->windowTitle(), QStringLiteral("vornFirmwareUpdater"));
            // Dialogs created at start-up keep the language of the start.
            QCOMPARE(FComPortDlg->windowTitle(), step.serialTitle);
        }
        form.reset();
        SetMessageBoxAnswerer({});
    }
};

QTEST_MAIN(TestTranslation)
#include "tst_uTranslation.moc"
