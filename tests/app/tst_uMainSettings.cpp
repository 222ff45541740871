#include <memory>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QtTest>

#include "app/uComboBox.h"
#include "app/uFilenameEdit.h"
#include "app/uMain.h"
#include "app/uMessageBox.h"
#include "app/uRadioGroup.h"
#include "app/uSettingsFile.h"
#include "ports/uSendThread.h"
#include "support/TempConfigHome.h"

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The lines of one section of the settings file, as written.
QList<QByteArray> SectionLines(const QByteArray& file, const QByteArray& section)
{
    QList<QByteArray> lines;
    bool inside = false;
    for (const QByteArray& line : file.split('\n')) {
        if (line.startsWith('['))
            inside = line == '[' + section + ']';
        else if (inside && !line.isEmpty())
            lines.append(line);
    }
    return lines;
}

QString SettingsPath(const TTempConfigHome& home)
{
    return SettingsFileName().mid(home.Path().size() + 1);
}

} // namespace

class TstMainSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<TTempConfigHome> config_;
    QList<TMessageBoxRequest> boxes_;

    std::unique_ptr<TFMainForm> ShownForm()
    {
        auto form = std::make_unique<TFMainForm>();
        form->show();
        return form;
    }

private slots:
    void init()
    {
        config_ = std::make_unique<TTempConfigHome>();
        boxes_.clear();
        SetMessageBoxAnswerer([this](const TMessageBoxRequest& r) {
            boxes_ << r;
            return mrOk;
        });
    }
    void cleanup()
    {
        TFilenameEdit::SetDialogForTests({});
        SetMessageBoxAnswerer({});
        config_.reset();
    }

    void restoreAtFirstShowing_data();
    void restoreAtFirstShowing();
    void choicesSurviveCloseAndNewWindow();
    void browseRecordsFilePerModelAndKind_data();
    void browseRecordsFilePerModelAndKind();
    void recordedFileIsOfferedOnChange();
    void handEditedKeysReachTheirUsers();
    void failedSaveAtCloseNamesTheFile();
};

void TstMainSettings::restoreAtFirstShowing_data()
{
    QTest::addColumn<QByteArray>("contents"); // a null array: no settings file, no folder
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("ipPort");
    QTest::addColumn<QString>("file");
    const QString ip = QStringLiteral("192.168.10.110");
    const QString port = QStringLiteral("9100");
    QTest::newRow("first start") << QByteArray() << 5 << 0 << 0 << ip << port << QString();
    QTest::newRow("R9 over Ethernet, bootloader")
        << QByteArray("[FMainForm]\ncxComboBoxPrinterModel_ItemIndex=10\nJvIPAddress_Text=10.0.0.5\n"
                      "JvFilenameEdit_FileName=/fw/r9 a,b\\c.r9\ncxRadioGroupPort_ItemIndex=2\n"
                      "cxMaskEditIPPort_Text=9101\ncxRadioGroupUpdateKind_ItemIndex=1\n")
        << 10 << 2 << 1 << QStringLiteral("10.0.0.5") << QStringLiteral("9101")
        << QStringLiteral("/fw/r9 a,b\\c.r9");
    QTest::newRow("port beyond a two-port model")
        << QByteArray("[FMainForm]\ncxComboBoxPrinterModel_ItemIndex=2\ncxRadioGroupPort_ItemIndex=3\n") << 2
        << 1 << 0 << ip << port << QString();
    QTest::newRow("bootloader on a firmware-only model")
        << QByteArray("[FMainForm]\ncxComboBoxPrinterModel_ItemIndex=2\ncxRadioGroupUpdateKind_ItemIndex=1\n")
        << 2 << 0 << 0 << ip << port << QString();
    QTest::newRow("out of range everywhere")
        << QByteArray("[FMainForm]\nShowCmd=7\nNormPos=-40000,-40000,-39441,-39723\n"
                      "cxComboBoxPrinterModel_ItemIndex=40\ncxRadioGroupPort_ItemIndex=-7\n"
                      "cxRadioGroupUpdateKind_ItemIndex=9\nJvIPAddress_Text=300.1.2.3\n"
                      "cxMaskEditIPPort_Text=99999\nActiveControl=nothingLikeThis\n")
        << 5 << 0 << 0 << ip << port << QString();
    QTest::newRow("garbage") << QByteArray("\x00\xff[FMainForm\n=\n\x01=\x02\n[[]]\nNormPos=,,,\n", 32) << 5
                             << 0 << 0 << ip << port << QString();
}

void TstMainSettings::restoreAtFirstShowing()
{
    QFETCH(QByteArray, contents);
    QFETCH(int, model);
    QFETCH(int, port);
    QFETCH(int, kind);
    QFETCH(QString, ip);
    QFETCH(QString, ipPort);
    QFETCH(QString, file);
    if (!contents.isNull())
        config_->WriteFile(SettingsPath(*config_), contents);

    const auto form = ShownForm();
    QVERIFY(QFileInfo(SettingsFileName()).absoluteDir().exists());
    QCOMPARE(form->ModelRow(), model);
    QCOMPARE(form->cxRadioGroupPort->ItemIndex(), port);
    QCOMPARE(form->UpdateKind(), kind);
    QCOMPARE(form->JvIPAddress->text(), ip);
    QCOMPARE(form->cxMaskEditIPPort->text(), ipPort);
    QCOMPARE(form->JvFilenameEdit->FileName(), file);
    QCOMPARE(form->JvIPAddress->isEnabled(),
             form->cxRadioGroupPort->Caption(port) == QStringLiteral("Ethernet"));
    // Whatever the file said, the window is on a screen.
    QVERIFY(form->screen()->availableGeometry().intersects(form->geometry()));
    QVERIFY(!form->isMinimized());
    QVERIFY(boxes_.isEmpty());
}

void TstMainSettings::choicesSurviveCloseAndNewWindow()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint place = screen.topLeft() + QPoint(30, 40);
    const QString fileName = QStringLiteral("C:\\fw\\R9 new,1.r9");
    {
        const auto form = ShownForm();
        form->cxComboBoxPrinterModel->setCurrentIndex(10);
        form->cxRadioGroupPort->SetItemIndex(2);
        form->cxRadioGroupUpdateKind->SetItemIndex(1);
        form->JvIPAddress->setText(QStringLiteral("10.0.0.5"));
        form->cxMaskEditIPPort->setText(QStringLiteral("9101"));
        form->JvFilenameEdit->SetFileName(fileName);
        form->move(place);
        QVERIFY(form->close());
    }
    const QList<QByteArray> lines = SectionLines(ReadAll(SettingsFileName()), "FMainForm");
    for (const QByteArray& expected :
         {QByteArray("FormVersion=0"), QByteArray("ShowCmd=1"),
          QByteArray("cxComboBoxPrinterModel_ItemIndex=10"), QByteArray("JvIPAddress_Text=10.0.0.5"),
          "JvFilenameEdit_FileName=" + fileName.toUtf8(), QByteArray("cxRadioGroupPort_ItemIndex=2"),
          QByteArray("cxMaskEditIPPort_Text=9101"), QByteArray("cxRadioGroupUpdateKind_ItemIndex=1")})
        QVERIFY2(lines.contains(expected), expected.constData());

    const auto again = ShownForm();
    QCOMPARE(again->ModelRow(), 10);
    QCOMPARE(again->cxRadioGroupPort->Caption(again->cxRadioGroupPort->ItemIndex()),
             QStringLiteral("Ethernet"));
    QCOMPARE(again->cxRadioGroupUpdateKind->Caption(again->UpdateKind()), QStringLiteral("Bootloader"));
    QCOMPARE(again->JvIPAddress->text(), QStringLiteral("10.0.0.5"));
    QVERIFY(again->JvIPAddress->isEnabled());
    QCOMPARE(again->cxMaskEditIPPort->text(), QStringLiteral("9101"));
    QCOMPARE(again->JvFilenameEdit->FileName(), fileName);
    QCOMPARE(again->pos(), place);
    QVERIFY(boxes_.isEmpty());
}

void TstMainSettings::browseRecordsFilePerModelAndKind_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("K3 firmware") << QStringLiteral("K3") << 0 << QStringLiteral("C:\\fw\\a.kx") << true
                                 << QByteArray("Firmware") << QByteArray("K3=C:\\fw\\a.kx");
    QTest::newRow("model name with a space")
        << QStringLiteral("Corvin5 200dpi") << 0 << QStringLiteral("/home/u/fw/a b,c.52h") << true
        << QByteArray("Firmware") << QByteArray("Corvin5 200dpi=/home/u/fw/a b,c.52h");
    QTest::newRow("K3+ PPP") << QStringLiteral("K3+") << 1 << QStringLiteral("/fw/p.ppp") << true
                             << QByteArray("PPP") << QByteArray("K3+=/fw/p.ppp");
    QTest::newRow("K1 bootloader") << QStringLiteral("K1") << 1 << QStringLiteral("/fw/b.kb") << true
                                   << QByteArray("Bootloader") << QByteArray("K1=/fw/b.kb");
    QTest::newRow("cancelled") << QStringLiteral("K3") << 0 << QStringLiteral("/fw/no.kx") << false
                               << QByteArray("Firmware") << QByteArray();
}

void TstMainSettings::browseRecordsFilePerModelAndKind()
{
    QFETCH(QString, model);
    QFETCH(int, kind);
    QFETCH(QString, chosen);
    QFETCH(bool, accepted);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, line);
    {
        const auto form = ShownForm();
        form->cxComboBoxPrinterModel->setCurrentIndex(form->cxComboBoxPrinterModel->findText(model));
        form->cxRadioGroupUpdateKind->SetItemIndex(kind);
        TFilenameEdit::SetDialogForTests(
            [&](const QString&, const QString&) { return std::pair(chosen, accepted); });
        form->JvFilenameEdit->Browse();
        QVERIFY(form->close());
    }
    const QList<QByteArray> lines = SectionLines(ReadAll(SettingsFileName()), section);
    QCOMPARE(lines, line.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{line});
}

void TstMainSettings::recordedFileIsOfferedOnChange()
{
    config_->WriteFile(SettingsPath(*config_), "[FMainForm]\ncxComboBoxPrinterModel_ItemIndex=7\n"
                                               "JvFilenameEdit_FileName=/last/run.kx\n"
                                               "[Firmware]\nK3=/fw/k3.kx\nK5=/fw/k5.kx\n"
                                               "[Bootloader]\nK3=/fw/k3.kb\n");
    const auto form = ShownForm();
    QCOMPARE(form->ModelRow(), 7);
    QCOMPARE(form->JvFilenameEdit->FileName(), QStringLiteral("/last/run.kx"));
    struct TStep
    {
        const char* model;
        int kind;
        const char* offered;
    };
    for (const TStep& step :
         {TStep{"K3", 1, "/fw/k3.kb"}, TStep{"K3", 0, "/fw/k3.kx"}, TStep{"K5", 0, "/fw/k5.kx"},
          TStep{"K5", 1, "/fw/k5.kx"}, TStep{"R9", 0, "/fw/k5.kx"}}) {
        form->cxComboBoxPrinterModel->setCurrentIndex(
            form->cxComboBoxPrinterModel->findText(QString::fromUtf8(step.model)));
        form->cxRadioGroupUpdateKind->SetItemIndex(step.kind);
        QCOMPARE(form->JvFilenameEdit->FileName(), QString::fromUtf8(step.offered));
    }
}

void TstMainSettings::handEditedKeysReachTheirUsers()
{
    {
        const auto form = std::make_unique<TFMainForm>();
        QCOMPARE(form->EsctTimeOut(), 1000);
        QCOMPARE(form->SendThread->EsctTimeOut(), 1000u);
        QVERIFY(form->PortDevices().isEmpty());
        QCOMPARE(form->CatalogueHostPort().Host, QString());
        QCOMPARE(form->CatalogueHostPort().Port, 21);
    }
    config_->WriteFile(SettingsPath(*config_), "[Global]\nEsctTimeOut=2500\n[Devices]\nCOM1=/dev/ttyUSB0\n"
                                               "[Catalogue]\nHost=ftp.test.example\nPort=2121\n");
    const auto form = std::make_unique<TFMainForm>();
    QCOMPARE(form->EsctTimeOut(), 2500);
    QCOMPARE(form->SendThread->EsctTimeOut(), 2500u);
    QCOMPARE(form->PortDevices().value(QStringLiteral("COM1")), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(form->SendThread->DevicePaths(), form->PortDevices());
    QCOMPARE(form->CatalogueHostPort().Host, QStringLiteral("ftp.test.example"));
    QCOMPARE(form->CatalogueHostPort().Port, 2121);
}

void TstMainSettings::failedSaveAtCloseNamesTheFile()
{
    auto form = ShownForm();
    // A folder where the file belongs: the new file cannot be renamed over it.
    QVERIFY(QDir().mkpath(SettingsFileName()));
    QVERIFY(form->close());
    form.reset();
    // Said once, at the close, not again when the window goes.
    QCOMPARE(boxes_.size(), 1);
    QVERIFY(boxes_[0].text.contains(SettingsFileName()));
    QCOMPARE(boxes_[0].icon, QMessageBox::Critical);
}

QTEST_MAIN(TstMainSettings)
#include "tst_uMainSettings.moc"
