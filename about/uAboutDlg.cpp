#include "about/uAboutDlg.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>

#include "about/uDecorativeLabel.h"
#include "about/uFileInfos.h"
#include "app/uPaths.h"
#include "app/uTranslation.h"

TFAboutDlg* FAboutDlg = nullptr;

namespace {

constexpr const char* kEnglishPage = "https://www.vorn.example/en/";
constexpr const char* kGermanPage = "https://www.vorn.example/de/";
constexpr const char* kFrenchPage = "https://www.vorn.example/fr/";

constexpr const char* kCreditLine = TrNoop("Developed by vorn");
constexpr const char* kCopyrightLine = "Copyright © 2026 vorn";

QFont PixelFont(const QString& family, int pixels, QFont::StyleHint hint = QFont::SansSerif)
{
    QFont font(family);
    font.setStyleHint(hint);
    font.setPixelSize(pixels);
    return font;
}

QPixmap Picture(const QString& svg, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QSvgRenderer(svg).render(&painter);
    return pixmap;
}

QFrame* NewPanel(QWidget* parent, const char* name, QFrame::Shape shape)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameShape(shape);
    panel->setFrameShadow(QFrame::Raised);
    return panel;
}

} // namespace

TFAboutDlg::TFAboutDlg(QWidget* owner) : TFMainDlg(owner)
{
    setObjectName(QStringLiteral("FAboutDlg"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/about/about.svg")));
    setFixedSize(285, 235);
    setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
    QPalette black = palette();
    black.setColor(QPalette::WindowText, Qt::black);
    setPalette(black);

    Panel1 = NewPanel(this, "Panel1", QFrame::Panel);
    Place(Panel1, 0, 0, 285, 200);

    Image2 = new QLabel(Panel1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setAttribute(Qt::WA_TranslucentBackground);
    Image2->setPixmap(Picture(QStringLiteral(":/about/logo.svg"), QSize(59, 25)));
    Place(Image2, 103, 7, 59, 25);

    fcLabel1 = new TDecorativeLabel(Panel1);
    fcLabel1->setObjectName(QStringLiteral("fcLabel1"));
    fcLabel1->setText(QStringLiteral("FirmwareUpdater"));
    QFont title = PixelFont(QStringLiteral("Arial Black"), 27);
    title.setWeight(QFont::Black);
    fcLabel1->setFont(title);
    TDecorativeStyle style;
    style.face = QColor(0, 132, 216);
    style.highlight = palette().color(QPalette::Window);
    style.shade = palette().color(QPalette::HighlightedText);
    style.outline = Qt::yellow;
    style.extrusionNear = QColor(0, 0, 128);    // navy
    style.extrusionFar = QColor(192, 220, 192); // money green
    style.extrusionDepth = 6;
    fcLabel1->setStyle(style);
    Place(fcLabel1, 14, 32, 263, 44);

    cxMemo1 = new QTextEdit(Panel1);
    cxMemo1->setObjectName(QStringLiteral("cxMemo1"));
    cxMemo1->setReadOnly(true);
    cxMemo1->setFocusPolicy(Qt::ClickFocus);
    cxMemo1->setFont(PixelFont(QStringLiteral("Segoe UI"), 13));
    QPalette memo = cxMemo1->palette();
    memo.setColor(QPalette::Base, memo.color(QPalette::Button));
    memo.setColor(QPalette::Text, Qt::black);
    cxMemo1->setPalette(memo);
    auto* shadow = new QGraphicsDropShadowEffect(cxMemo1);
    shadow->setBlurRadius(4);
    shadow->setOffset(2, 2);
    cxMemo1->setGraphicsEffect(shadow);
    Place(cxMemo1, 19, 76, 254, 111);

    Panel3 = NewPanel(Panel1, "Panel3", QFrame::NoFrame);
    Place(Panel3, 30, 158, 225, 17);
    Label9 = new QLabel(QString::fromUtf8(kCopyrightLine), Panel3);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setAlignment(Qt::AlignCenter);
    QFont link = PixelFont(QStringLiteral("Segoe UI"), 13);
    link.setUnderline(true);
    Label9->setFont(link);
    Label9->setStyleSheet(QStringLiteral("color: blue; background: transparent;"));
    Label9->setCursor(Qt::PointingHandCursor);
    Label9->installEventFilter(this);
    Place(Label9, 0, 0, 225, 17);

    Panel2 = NewPanel(this, "Panel2", QFrame::Panel);
    Place(Panel2, 0, 200, 285, 35);
    cxButtonClose = new QPushButton(QStringLiteral("&Close"), Panel2);
    cxButtonClose->setObjectName(QStringLiteral("cxButtonClose"));
    cxButtonClose->setIcon(QIcon(QStringLiteral(":/about/door.svg")));
    cxButtonClose->setDefault(true);
    Place(cxButtonClose, 99, 5, 81, 26);
    connect(cxButtonClose, &QPushButton::clicked, this, &QDialog::accept);

    FormCreate();
}

TFAboutDlg::~TFAboutDlg()
{
    // FormDestroy: a later ShowAboutDlg builds the box afresh.
    if (FAboutDlg == this)
        FAboutDlg = nullptr;
}

void TFAboutDlg::FormCreate()
{
    TFMainDlg::FormCreate();
    const QString program = ProgramFilePath();
    TFileInfos reader(program);
    cxMemo1->clear();
    const QDateTime written = QFileInfo(program).lastModified().toLocalTime();
    TFileInfoStruct info;
    reader.GetFileInfo(info);
    const QString date = QLocale::system().toString(written.date(), QLocale::ShortFormat);
    cxMemo1->setPlainText(
        QStringList{Tr(kCreditLine), QString(), QStringLiteral("Version ") + info.FileVersion, date}.join(QLatin1Char('\n')));
    for (QTextBlock block = cxMemo1->document()->begin(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        QTextBlockFormat format = cursor.blockFormat();
        format.setAlignment(Qt::AlignHCenter);
        cursor.setBlockFormat(format);
    }
}

bool TFAboutDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label9 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label9Click();
        return true;
    }
    return TFMainDlg::eventFilter(watched, event);
}

void TFAboutDlg::Label9Click()
{
    // Whatever the desktop makes of it, the box has nothing to report.
    QDesktopServices::openUrl(MakerPageFor(GetCurrentLanguage()));
}

QUrl MakerPageFor(const QString& languageCode)
{
    const QString language = languageCode.left(2).toLower();
    if (language == QLatin1String("fr"))
        return QUrl(QLatin1String(kFrenchPage));
    if (language == QLatin1String("de"))
        return QUrl(QLatin1String(kGermanPage));
    return QUrl(QLatin1String(kEnglishPage));
}

void ShowAboutDlg(QWidget* owner)
{
    if (!FAboutDlg)
        FAboutDlg = new TFAboutDlg(owner);
    if (!FAboutDlg->isVisible())
        FAboutDlg->exec();
}
