#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>
#include <QtTest>

#include "app/uFormPlacement.h"
#include "app/uIniFileStorage.h"
#include "app/uStoredChoices.h"

Q_DECLARE_METATYPE(std::optional<QRect>)

namespace {

const QString kSection = QStringLiteral("FMainForm");

QList<QRect> Screens(std::initializer_list<QRect> rects)
{
    return QList<QRect>(rects);
}

} // namespace

class TstFormPlacement : public QObject
{
    Q_OBJECT
private slots:
    void normPosText_data();
    void normPosText();
    void placeOnScreens_data();
    void placeOnScreens();
    void placementRoundTrip();
    void placementOffEveryScreenKeepsWindowPlace();
    void focusReturnsToNamedControl_data();
    void focusReturnsToNamedControl();
    void storedChoices_data();
    void storedChoices();
    void choicesAreWrittenInTableOrder();
};

void TstFormPlacement::normPosText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<QRect>>("expected");
    QTest::newRow("usual") << QStringLiteral("10,20,569,340") << std::optional(QRect(10, 20, 559, 320));
    QTest::newRow("spaces") << QStringLiteral(" 10, 20 ,569,340 ") << std::optional(QRect(10, 20, 559, 320));
    QTest::newRow("negative left") << QStringLiteral("-1000,0,-441,277")
                                   << std::optional(QRect(-1000, 0, 559, 277));
    QTest::newRow("three values") << QStringLiteral("10,20,569") << std::optional<QRect>();
    QTest::newRow("five values") << QStringLiteral("1,2,3,4,5") << std::optional<QRect>();
    QTest::newRow("empty") << QString() << std::optional<QRect>();
    QTest::newRow("right before left") << QStringLiteral("569,20,10,340") << std::optional<QRect>();
    QTest::newRow("zero height") << QStringLiteral("10,20,569,20") << std::optional<QRect>();
    QTest::newRow("text") << QStringLiteral("a,b,c,d") << std::optional<QRect>();
    QTest::newRow("overflowing width")
        << QStringLiteral("-2147483648,0,2147483647,10") << std::optional<QRect>();
}

void TstFormPlacement::normPosText()
{
    QFETCH(QString, text);
    QFETCH(std::optional<QRect>, expected);
    QCOMPARE(ParseNormPos(text), expected);
}

void TstFormPlacement::placeOnScreens_data()
{
    QTest::addColumn<QRect>("stored");
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<bool>("usable");
    const QList<QRect> one = Screens({QRect(0, 0, 1024, 768)});
    const QList<QRect> two = Screens({QRect(0, 0, 1024, 768), QRect(1024, 0, 1280, 1024)});
    QTest::newRow("inside") << QRect(100, 100, 559, 277) << one << true;
    QTest::newRow("on a second screen") << QRect(1500, 800, 559, 277) << two << true;
    QTest::newRow("second screen gone") << QRect(1500, 800, 559, 277) << one << false;
    QTest::newRow("far away") << QRect(30000, 30000, 559, 277) << two << false;
    QTest::newRow("mostly off to the left") << QRect(-500, 100, 559, 277) << one << false;
    QTest::newRow("100 px showing at the left") << QRect(-459, 100, 559, 277) << one << true;
    QTest::newRow("top above the screen") << QRect(100, -50, 559, 277) << one << false;
    QTest::newRow("only the bottom edge") << QRect(100, 750, 559, 277) << one << false;
    QTest::newRow("no screens") << QRect(100, 100, 559, 277) << QList<QRect>{} << false;
}

void TstFormPlacement::placeOnScreens()
{
    QFETCH(QRect, stored);
    QFETCH(QList<QRect>, screens);
    QFETCH(bool, usable);
    const auto place = PlaceOnScreens(stored, screens);
    QCOMPARE(place.has_value(), usable);
    if (usable)
        QCOMPARE(*place, stored);
}

void TstFormPlacement::placementRoundTrip()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    TIniFileStorage storage(QString{});
    {
        QWidget form;
        form.setObjectName(kSection);
        form.setGeometry(screen.left() + 40, screen.top() + 50, 300, 200);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        SaveFormPlacement(storage, form);
    }
    QCOMPARE(storage.ReadString(kSection, QStringLiteral("NormPos")), QStringLiteral("%1,%2,%3,%4")
                                                                          .arg(screen.left() + 40)
                                                                          .arg(screen.top() + 50)
                                                                          .arg(screen.left() + 340)
                                                                          .arg(screen.top() + 250));
    QCOMPARE(storage.ReadInteger(kSection, QStringLiteral("ShowCmd"), 0), kShowNormal);
    QCOMPARE(storage.ReadInteger(kSection, QStringLiteral("FormVersion"), -1), 0);
    QVERIFY(storage.HasValue(kSection, QStringLiteral("PixelsPerInch")));
    QVERIFY(storage.HasValue(kSection, QStringLiteral("MinMaxPos")));

    QWidget again;
    again.setObjectName(kSection);
    RestoreFormPlacement(storage, again);
    QCOMPARE(again.geometry(), QRect(screen.left() + 40, screen.top() + 50, 300, 200));
    QCOMPARE(again.windowState(), Qt::WindowNoState);
}

void TstFormPlacement::placementOffEveryScreenKeepsWindowPlace()
{
    TIniFileStorage storage(QString{});
    storage.LoadData("[FMainForm]\nShowCmd=2\nNormPos=-30000,-30000,-29441,-29723\n");
    QWidget form;
    form.setObjectName(kSection);
    form.setGeometry(60, 70, 300, 200);
    RestoreFormPlacement(storage, form);
    QCOMPARE(form.geometry(), QRect(60, 70, 300, 200));
    // Stored minimised: comes back normal, not hidden away.
    QCOMPARE(form.windowState(), Qt::WindowNoState);
}

void TstFormPlacement::focusReturnsToNamedControl_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("focused");
    QTest::newRow("usable") << QStringLiteral("cxButtonUpdate") << QStringLiteral("cxButtonUpdate");
    QTest::newRow("disabled") << QStringLiteral("cxButtonClose") << QStringLiteral("first");
    QTest::newRow("hidden") << QStringLiteral("hiddenEdit") << QStringLiteral("first");
    QTest::newRow("unknown") << QStringLiteral("noSuchControl") << QStringLiteral("first");
}

void TstFormPlacement::focusReturnsToNamedControl()
{
    QFETCH(QString, stored);
    QFETCH(QString, focused);
    QWidget form;
    form.setObjectName(kSection);
    for (const char* name : {"first", "cxButtonUpdate", "cxButtonClose", "hiddenEdit"}) {
        auto* control = new QLineEdit(&form);
        control->setObjectName(QString::fromLatin1(name));
    }
    form.findChild<QWidget*>(QStringLiteral("cxButtonClose"))->setEnabled(false);
    form.findChild<QWidget*>(QStringLiteral("hiddenEdit"))->hide();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.findChild<QWidget*>(QStringLiteral("first"))->setFocus();

    TIniFileStorage storage(QString{});
    storage.WriteString(kSection, QStringLiteral("ActiveControl"), stored);
    RestoreActiveControl(storage, form);
    QCOMPARE(form.focusWidget()->objectName(), focused);

    SaveFormPlacement(storage, form);
    QCOMPARE(storage.ReadString(kSection, QStringLiteral("ActiveControl")), focused);
}

void TstFormPlacement::storedChoices_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<TStoredChoices>("expected");
    TStoredChoices full;
    full.ModelRow = 10;
    full.FilterRow = 12;
    full.IPAddress = QStringLiteral("10.0.0.5");
    full.FileName = QStringLiteral("C:\\fw\\a,b.kx");
    full.PortIndex = 2;
    full.IPPort = QStringLiteral("9101");
    full.UpdateKind = 1;
    QTest::newRow("all present") << QByteArray("[FMainForm]\ncxComboBoxPrinterModel_ItemIndex=10\n"
                                               "JvFilenameEdit_Tag=12\nJvIPAddress_Text=10.0.0.5\n"
                                               "JvFilenameEdit_FileName=C:\\fw\\a,b.kx\n"
                                               "cxRadioGroupPort_ItemIndex=2\ncxMaskEditIPPort_Text=9101\n"
                                               "cxRadioGroupUpdateKind_ItemIndex=1\n")
                                 << full;
    QTest::newRow("none") << QByteArray() << TStoredChoices{};
    QTest::newRow("out of range") << QByteArray(
                                         "[FMainForm]\ncxComboBoxPrinterModel_ItemIndex=40\n"
                                         "JvFilenameEdit_Tag=18\nJvIPAddress_Text=256.1.1.1\n"
                                         "cxRadioGroupPort_ItemIndex=-7\ncxMaskEditIPPort_Text=123456\n"
                                         "cxRadioGroupUpdateKind_ItemIndex=2\n")
                                  << TStoredChoices{};
    QTest::newRow("garbled") << QByteArray("[FMainForm]\ncxComboBoxPrinterModel_ItemIndex=ten\n"
                                           "JvIPAddress_Text=10.0.0\ncxRadioGroupPort_ItemIndex=\n"
                                           "cxMaskEditIPPort_Text=91 00\n")
                             << TStoredChoices{};
    TStoredChoices portBeyondModel;
    portBeyondModel.ModelRow = 2;
    portBeyondModel.PortIndex = 3;
    QTest::newRow("port beyond the model's entries, left to the window")
        << QByteArray("[FMainForm]\ncxComboBoxPrinterModel_ItemIndex=2\ncxRadioGroupPort_ItemIndex=3\n")
        << portBeyondModel;
    QTest::newRow("negative form version") << QByteArray("[FMainForm]\nFormVersion=-1\n"
                                                         "cxComboBoxPrinterModel_ItemIndex=10\n")
                                           << TStoredChoices{};
}

void TstFormPlacement::storedChoices()
{
    QFETCH(QByteArray, contents);
    QFETCH(TStoredChoices, expected);
    TIniFileStorage storage(QString{});
    storage.LoadData(contents);
    const TStoredChoices c = ReadStoredChoices(storage, kSection);
    QCOMPARE(c.ModelRow, expected.ModelRow);
    QCOMPARE(c.FilterRow, expected.FilterRow);
    QCOMPARE(c.IPAddress, expected.IPAddress);
    QCOMPARE(c.FileName, expected.FileName);
    QCOMPARE(c.PortIndex, expected.PortIndex);
    QCOMPARE(c.IPPort, expected.IPPort);
    QCOMPARE(c.UpdateKind, expected.UpdateKind);
}

void TstFormPlacement::choicesAreWrittenInTableOrder()
{
    TIniFileStorage storage(QString{});
    SaveFormPlacement(storage, QWidget());
    TStoredChoices c;
    c.UpdateKind = 1;
    c.IPPort = QStringLiteral("9101");
    c.PortIndex = 2;
    c.FileName = QStringLiteral("/fw/a.kx");
    c.IPAddress = QStringLiteral("10.0.0.5");
    c.FilterRow = 12;
    c.ModelRow = 10;
    WriteStoredChoices(storage, kSection, c);
    QStringList keys;
    for (const QByteArray& line : storage.Contents().split('\n'))
        if (line.contains('='))
            keys.append(QString::fromUtf8(line.left(line.indexOf('='))));
    QCOMPARE(
        keys,
        (QStringList{QStringLiteral("FormVersion"), QStringLiteral("ShowCmd"), QStringLiteral("Flags"),
                     QStringLiteral("PixelsPerInch"), QStringLiteral("MinMaxPos"), QStringLiteral("NormPos"),
                     QStringLiteral("ActiveControl"), QStringLiteral("cxComboBoxPrinterModel_ItemIndex"),
                     QStringLiteral("JvFilenameEdit_Tag"), QStringLiteral("JvIPAddress_Text"),
                     QStringLiteral("JvFilenameEdit_FileName"), QStringLiteral("cxRadioGroupPort_ItemIndex"),
                     QStringLiteral("cxMaskEditIPPort_Text"),
                     QStringLiteral("cxRadioGroupUpdateKind_ItemIndex")}));
}

QTEST_MAIN(TstFormPlacement)
#include "tst_uFormPlacement.moc"
