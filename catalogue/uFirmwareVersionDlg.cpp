#include "catalogue/uFirmwareVersionDlg.h"

#include <array>

#include <QEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include "app/uMessageBox.h"
#include "app/uPaths.h"
#include "app/uTranslation.h"
#include "catalogue/uBackgroundCall.h"
#include "catalogue/uCutTextHintDelegate.h"
#include "catalogue/uFirmwareList.h"
#include "catalogue/uFtpListingClient.h"

TFFirmwareVersionDlg* FFirmwareVersionDlg = nullptr;

namespace {

TCatalogueServer& Server()
{
    static TCatalogueServer server;
    return server;
}

constexpr std::array<const char*, kCatalogueColumnCount> kCaptions = {
    TrNoop("Printer"), TrNoop("Version"), TrNoop("Firmware File"), TrNoop("Size"), TrNoop("Date"), ""};
// Design widths of the visible columns; the columns share the view's width in these proportions.
constexpr std::array<int, kCatalogueColumnCount> kDesignWidths = {76, 52, 93, 95, 89, 0};

} // namespace

void SetCatalogueServer(const TCatalogueServer& server)
{
    Server() = server;
}

TCatalogueServer CatalogueServer()
{
    return Server();
}

QString FirmwareListFilePath()
{
    return SettingsFolder() + QStringLiteral("/FirmwareTest.txt");
}

TFFirmwareVersionDlg::TFFirmwareVersionDlg(QWidget* owner) : TFMainDlg(owner)
{
    setObjectName(QStringLiteral("FFirmwareVersionDlg"));
    setWindowTitle(QStringLiteral("Last Available Firmware"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    resize(426, 252);

    kbmMemTable1 = new QStandardItemModel(0, kCatalogueColumnCount, this);
    kbmMemTable1->setObjectName(QStringLiteral("kbmMemTable1"));

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    cxGrid1DBTableView1 = new QTableView(Panel1);
    cxGrid1DBTableView1->setObjectName(QStringLiteral("cxGrid1DBTableView1"));
    cxGrid1DBTableView1->setModel(kbmMemTable1);
    cxGrid1DBTableView1->setItemDelegate(new TCutTextHintDelegate(cxGrid1DBTableView1));
    cxGrid1DBTableView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cxGrid1DBTableView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    cxGrid1DBTableView1->setSelectionMode(QAbstractItemView::SingleSelection);
    cxGrid1DBTableView1->setShowGrid(false);
    cxGrid1DBTableView1->setWordWrap(false);
    cxGrid1DBTableView1->setTextElideMode(Qt::ElideRight);
    cxGrid1DBTableView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    cxGrid1DBTableView1->verticalHeader()->hide();
    cxGrid1DBTableView1->horizontalHeader()->setHighlightSections(false);
    cxGrid1DBTableView1->setColumnHidden(colFileAttributes, true);
    cxGrid1DBTableView1->viewport()->installEventFilter(this);
    auto* gridLayout = new QVBoxLayout(Panel1);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->addWidget(cxGrid1DBTableView1);

    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(41);
    cxButtonOK = new QPushButton(QStringLiteral("OK"), Panel2);
    cxButtonOK->setObjectName(QStringLiteral("cxButtonOK"));
    cxButtonOK->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    cxButtonOK->setDefault(true);
    Place(cxButtonOK, 176, 7, 75, 25);
    connect(cxButtonOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1, 1);
    layout->addWidget(Panel2);
    setTabOrder(cxGrid1DBTableView1, cxButtonOK);
    cxGrid1DBTableView1->setFocus();

    FormCreate();
}

TFFirmwareVersionDlg::~TFFirmwareVersionDlg()
{
    if (FFirmwareVersionDlg == this)
        FFirmwareVersionDlg = nullptr;
}

void TFFirmwareVersionDlg::FormCreate()
{
    TFMainDlg::FormCreate();
    for (int c = 0; c < kCatalogueColumnCount; ++c)
        kbmMemTable1->setHeaderData(c, Qt::Horizontal, kCaptions[c][0] ? Tr(kCaptions[c]) : QString());
    Download();
}

void TFFirmwareVersionDlg::Download()
{
    const TCatalogueServer server = CatalogueServer();
    if (server.Host.trimmed().isEmpty()) {
        FtpClient1Error(QStringLiteral("Host name not assigned"));
        return;
    }
    if (server.Port < 1 || server.Port > 65535) {
        FtpClient1Error(QStringLiteral("Port number %1 out of range").arg(server.Port));
        return;
    }
    InitCurlGlobally();
    TFtpListingClient client(TFtpAccount{server.Host, server.Port, QStringLiteral("Firmware"),
                                         QStringLiteral("Hq8mTw"), server.TimeoutSeconds});
    const QString localFile = FirmwareListFilePath();
    TFtpCompletion done;
    RunOffUiThread([&] {
        done = client.List(localFile);
        if (!done.TypeRefused)
            client.Quit();
    });
    if (done.TypeRefused) {
        // The server may still list in its own type: say so and ask anyway.
        FtpClient1RequestDone(done);
        RunOffUiThread([&] {
            done = client.List(localFile);
            client.Quit();
        });
    }
    if (FtpClient1RequestDone(done))
        LoadFirmwareList();
}

bool TFFirmwareVersionDlg::FtpClient1RequestDone(const TFtpCompletion& completion)
{
    if (IsRequestSuccess(completion.ErrCode))
        return true;
    ShowMessageBox(this, Tr("Error ") + QLatin1Char(' ') + completion.ErrorMessage, QMessageBox::Critical);
    return false;
}

void TFFirmwareVersionDlg::FtpClient1Error(const QString& msg)
{
    ShowMessageBox(this, Tr("Error ") + msg, QMessageBox::Critical);
}

void TFFirmwareVersionDlg::LoadFirmwareList()
{
    QString error;
    if (!LoadFirmwareListFile(FirmwareListFilePath(), *kbmMemTable1, &error))
        FtpClient1Error(error);
    if (kbmMemTable1->rowCount() > 0)
        cxGrid1DBTableView1->setCurrentIndex(kbmMemTable1->index(0, colPrinterName));
}

bool TFFirmwareVersionDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cxGrid1DBTableView1->viewport() && event->type() == QEvent::Resize)
        FitColumns();
    return TFMainDlg::eventFilter(watched, event);
}

void TFFirmwareVersionDlg::FitColumns()
{
    int designTotal = 0;
    for (int w : kDesignWidths)
        designTotal += w;
    const int available = cxGrid1DBTableView1->viewport()->width();
    int used = 0;
    for (int c = 0; c < colFileAttributes; ++c) {
        const int width = c + 1 == colFileAttributes ? available - used : kDesignWidths[c] * available / designTotal;
        cxGrid1DBTableView1->setColumnWidth(c, qMax(width, 8));
        used += width;
    }
}

void ShowFirmwareVersionDlg(QWidget* owner)
{
    static bool creating = false;
    if (!FFirmwareVersionDlg) {
        if (creating)
            return;
        creating = true;
        auto* dialog = new TFFirmwareVersionDlg(owner);
        creating = false;
        FFirmwareVersionDlg = dialog;
    }
    if (!FFirmwareVersionDlg->isVisible())
        FFirmwareVersionDlg->exec();
}
