#pragma once

#include "app/uMainDlg.h"

#include <array>
#include <memory>
#include <optional>

#include "app/uHandEditedSettings.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class TComboBox;
class TFilenameEdit;
class TIniFileStorage;
class TPicture;
class TRadioGroup;
class TStatusBar;
class TSendThread;

// The program's one main window: the model, the port, the kind of update and
// the file are chosen here, and the update is started from here.
class TFMainForm final : public TFMainDlg
{
    Q_OBJECT
public:
    explicit TFMainForm(QWidget* owner = nullptr);
    ~TFMainForm() override;

    // The program's version as shown after "V" in the status bar.
    QString VersionText;
    // The worker that sends the files; created at start-up, stopped at the close.
    TSendThread* SendThread = nullptr;
    // How long the window waits after the last block over USB, for the spooler to
    // hand the job to the printer (tests shorten it).
    int UsbPauseMs = 8000;

    QFrame* PanelMain;
    QLabel* Label2;
    TComboBox* cxComboBoxPrinterModel;
    TRadioGroup* cxRadioGroupPort;
    QPushButton* cxButtonPort;
    QLineEdit* JvIPAddress;
    QFrame* PanelIPPort;
    QLabel* LabelIPPort;
    QLineEdit* cxMaskEditIPPort;
    TRadioGroup* cxRadioGroupUpdateKind;
    std::array<TPicture*, 17> ModelPictures{};
    QLabel* Label1;
    TFilenameEdit* JvFilenameEdit;
    QFrame* PanelButtons;
    QPushButton* cxButtonUpdate;
    QPushButton* cxButtonClose;
    TStatusBar* StatusBar;
    QMenuBar* JvMainMenu1;
    QMenu* Fichier1;
    QAction* Exit1;
    QMenu* Tools1;
    QMenu* Language1;
    QAction* German1;
    QAction* English1;
    QAction* French1;
    QAction* Getlastfirmwareversionavailable1;
    QMenu* Help1;
    QAction* About1;

    // The model row (0 to 18) and the update kind (0 firmware, 1 bootloader or PPP).
    int ModelRow() const;
    int UpdateKind() const;

    // Shows the instruction prompt of the model and update kind: mrOk or mrCancel.
    int ConfirmPrinterReady();

    void cxComboBoxPrinterModelPropertiesCloseUp();
    void cxRadioGroupUpdateKindClick();
    void cxButtonUpdateClick();
    void WMTransferProgress(qint64 fileSize, qint64 bytesRead);
    // reason: for a failed write, what the system said about it (may be empty).
    void WMTransferOutcome(int code, const QString& reason = QString());
    // The last update has ended (done, failed or cancelled): the next may start.
    void UpdateEnded();
    bool UpdateRunning() const { return updateRunning_; }
    void cxRadioGroupPortClick();
    void cxButtonPortClick();
    void cxButtonCloseClick();
    void Exit1Click();
    void About1Click();
    void Getlastfirmwareversionavailable1Click();
    void German1Click();
    void English1Click();
    void French1Click();
    void JvFilenameEditBeforeDialog();
    void JvFilenameEditAfterDialog(const QString& name, bool accepted);

    // The settings file in memory: read when the window is created, written
    // when the window closes (and when it is destroyed with changes unwritten).
    std::unique_ptr<TIniFileStorage> JvAppIniFileStorage1;
    QString JvAppIniFileStorage1GetFileName();
    void JvFormStorage1AfterRestorePlacement();

    // Hand-edited settings, read once at creation, for the parts that use them.
    int EsctTimeOut() const { return esctTimeOut_; }
    const TPortDevices& PortDevices() const { return portDevices_; }
    const TCatalogueHostPort& CatalogueHostPort() const { return catalogueHostPort_; }

    // Once the first showing has restored the last run's file, a change of
    // model or update kind puts the file recorded for the new pair, if any, in the file name edit.
    void OfferLastFileName();

    void reject() override;

protected:
    bool event(QEvent* event) override;
    void FormCreate() override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool FormCloseQuery();
    void FormClose();
    void SwitchLanguage(const QString& code);
    void BuildMainPanel();
    void BuildButtonPanel();
    void BuildMenu();
    void ShowVersion();
    void ApplyTabOrder();
    void ReadStartupSettings();
    void RestoreFormStorage();
    void SaveFormStorage();
    bool SetPortProperties();
    bool SetUsbPrinter();
    QString SelectedPortCaption() const;
    // After the box of a failed or cancelled transfer: no wait, no "Update done.".
    void EndFailedRun(QWidget* boxParent, const QString& text, const QString& details = QString());

    bool placed_ = false;
    bool updateRunning_ = false;
    bool offerLastFileName_ = false;
    bool settingsSaved_ = false;
    std::optional<int> restoredPortIndex_;
    int esctTimeOut_ = kDefaultEsctTimeOut;
    TPortDevices portDevices_;
    TCatalogueHostPort catalogueHostPort_;
};

extern TFMainForm* FMainForm;

// Program start: creates and shows the main window and runs until it closes.
int RunApplication();
