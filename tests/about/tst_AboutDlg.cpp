#include <functional>

#include <QDesktopServices>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "about/uAboutDlg.h"
#include "about/uDecorativeLabel.h"
#include "app/uTranslation.h"

// Receives what the dialog asks the desktop to open; nothing leaves the machine.
class TUrlCatcher final : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls << url; }
};

namespace {

// Opens the About box over owner, runs look while it shows, then closes it with its button.
void WhileShown(QWidget* owner, const std::function<void(TFAboutDlg*)>& look)
{
    QTimer::singleShot(0, owner, [look] {
        QVERIFY(FAboutDlg && FAboutDlg->isVisible());
        look(FAboutDlg);
        QTest::mouseClick(FAboutDlg->cxButtonClose, Qt::LeftButton);
    });
    ShowAboutDlg(owner);
    QVERIFY(FAboutDlg && !FAboutDlg->isVisible());
}

QStringList MemoLines(TFAboutDlg* dlg)
{
    return dlg->cxMemo1->toPlainText().split(QLatin1Char('\n'));
}

// The texts the dialog's language decides: title, button, memo lines.
QStringList TextsOf(TFAboutDlg* dlg)
{
    return QStringList{dlg->windowTitle(), dlg->cxButtonClose->text()} + MemoLines(dlg);
}

int CountNear(const QImage& image, QColor colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) + qAbs(c.green() - colour.green()) + qAbs(c.blue() - colour.blue()) < 30)
                ++count;
        }
    return count;
}

} // namespace

class TestAboutDlg : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void showsCreditVersionAndDate();
    void keepsTextsOfFirstOpening();
    void opensPageOfCurrentLanguage_data();
    void opensPageOfCurrentLanguage();
    void paintsDecoratedTitle();

private:
    QWidget* owner_ = nullptr;
    TUrlCatcher catcher_;
};

void TestAboutDlg::initTestCase()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher_, "Open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher_, "Open");
}

void TestAboutDlg::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

void TestAboutDlg::init()
{
    UseLanguage(QStringLiteral("en"));
    catcher_.urls.clear();
    owner_ = new QWidget;
}

void TestAboutDlg::cleanup()
{
    delete owner_; // takes the About box with it
    owner_ = nullptr;
    QCOMPARE(FAboutDlg, nullptr);
}

void TestAboutDlg::showsCreditVersionAndDate()
{
    const QString date = QLocale::system().toString(
        QFileInfo(QCoreApplication::applicationFilePath()).lastModified().toLocalTime().date(), QLocale::ShortFormat);
    const QStringList expected{
        QStringLiteral("Developed by vorn"), QString(),
        QStringLiteral("Version " VORN_VERSION), date};
    TFAboutDlg* first = nullptr;
    WhileShown(owner_, [&](TFAboutDlg* dlg) {
        first = dlg;
        QCOMPARE(MemoLines(dlg), expected);
        QCOMPARE(dlg->parent(), owner_);
    });
    WhileShown(owner_, [&](TFAboutDlg* dlg) {
        QCOMPARE(dlg, first);
        QCOMPARE(MemoLines(dlg), expected);
    });
}

void TestAboutDlg::keepsTextsOfFirstOpening()
{
    UseLanguage(QStringLiteral("de"));
    QStringList german;
    WhileShown(owner_, [&](TFAboutDlg* dlg) {
        german = TextsOf(dlg);
        QCOMPARE(german.at(0), QStringLiteral("Info"));
        QCOMPARE(german.at(1), QStringLiteral("&Schließen"));
        QCOMPARE(german.at(2), QStringLiteral("Entwickelt von vorn"));
    });
    UseLanguage(QStringLiteral("fr"));
    WhileShown(owner_, [&](TFAboutDlg* dlg) {
        QCOMPARE(TextsOf(dlg), german);
        // The link goes by the language of the moment.
        QTest::mouseClick(dlg->Label9, Qt::LeftButton);
    });
    QCOMPARE(catcher_.urls, QList<QUrl>{QUrl(QStringLiteral("https://www.vorn.example/fr/"))});
}

void TestAboutDlg::opensPageOfCurrentLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("page");
    const QString en = QStringLiteral("https://www.vorn.example/en/");
    const QString de = QStringLiteral("https://www.vorn.example/de/");
    const QString fr = QStringLiteral("https://www.vorn.example/fr/");
    QTest::newRow("fr_FR") << "fr_FR" << fr;
    QTest::newRow("FR") << "FR" << fr;
    QTest::newRow("de_AT") << "de_AT" << de;
    QTest::newRow("De") << "De" << de;
    QTest::newRow("en") << "en" << en;
    QTest::newRow("empty") << QString() << en;
    QTest::newRow("x") << "x" << en;
    QTest::newRow("dex") << "dex" << de;
}

void TestAboutDlg::opensPageOfCurrentLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, page);
    WhileShown(owner_, [&](TFAboutDlg* dlg) {
        UseLanguage(language);
        QTest::mouseClick(dlg->Label9, Qt::LeftButton);
    });
    QCOMPARE(catcher_.urls, QList<QUrl>{QUrl(page)});
}

void TestAboutDlg::paintsDecoratedTitle()
{
    WhileShown(owner_, [](TFAboutDlg* dlg) {
        QCOMPARE(dlg->fcLabel1->text(), QStringLiteral("FirmwareUpdater"));
        const QImage image = dlg->fcLabel1->grab().toImage();
        const TDecorativeStyle& style = dlg->fcLabel1->style();
        // Face, outline and the far end of the extrusion each show.
        QVERIFY(CountNear(image, style.face) > 50);
        QVERIFY(CountNear(image, style.outline) > 20);
        QVERIFY(CountNear(image, style.extrusionFar) > 20);
    });
}

QTEST_MAIN(TestAboutDlg)
#include "tst_AboutDlg.moc"
