#pragma once

#include <QString>

#include "app/uMainDlg.h"

class QPushButton;
class QStandardItemModel;
class QTableView;
class QWidget;
struct TFtpCompletion;

// Where the maker's firmware catalogue is fetched from. The defaults are the
// program's own; the settings file may name another server.
struct TCatalogueServer
{
    QString Host = QStringLiteral("ftp.vorn-printers.example");
    int Port = 21;
    int TimeoutSeconds = 15;
};
void SetCatalogueServer(const TCatalogueServer& server);
TCatalogueServer CatalogueServer();

// The local copy of the catalogue listing, kept only while it is read.
QString FirmwareListFilePath();

// "Last Available Firmware": the maker's firmware files per printer model,
// fetched from the catalogue server once per run, while the dialog is created.
class TFFirmwareVersionDlg final : public TFMainDlg
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFFirmwareVersionDlg)
public:
    explicit TFFirmwareVersionDlg(QWidget* owner);
    ~TFFirmwareVersionDlg() override;

    QStandardItemModel* kbmMemTable1;
    QWidget* Panel1;
    QTableView* cxGrid1DBTableView1;
    QWidget* Panel2;
    QPushButton* cxButtonOK;

protected:
    void FormCreate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Download();
    bool FtpClient1RequestDone(const TFtpCompletion& completion);
    void FtpClient1Error(const QString& msg);
    void LoadFirmwareList();
    void FitColumns();
};

extern TFFirmwareVersionDlg* FFirmwareVersionDlg;

// The menu's entry: creates the dialog on first use (which downloads the
// catalogue) and shows it modally unless it is already showing. A call while
// the first download is still running does nothing.
void ShowFirmwareVersionDlg(QWidget* owner);
