// The Update command and what the window does with the transfer's progress and
// outcome: checks of the file, the port handed to the send thread, the prompt,
// the progress dialog's bar and wait, and the boxes of a failed or cancelled run.
#include "app/uMain.h"

#include "app/uComboBox.h"
#include "app/uCommonRes.h"
#include "app/uCursor.h"
#include "app/uFilenameEdit.h"
#include "app/uMessageBox.h"
#include "app/uRadioGroup.h"
#include "app/uStatusBar.h"
#include "app/uTranslation.h"
#include "ports/uComPortDlg.h"
#include "ports/uParallelPortDlg.h"
#include "ports/uSendThread.h"
#include "ports/uTransferEvents.h"
#include "ports/uUSBPrinters.h"
#include "progress/uGradientBar.h"
#include "progress/uProgressDlg.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QTimer>

namespace {

// The extension of a file name: from its last "." on, the "." included; empty without one.
QString FileExtension(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

} // namespace

void TFMainForm::cxButtonUpdateClick()
{
    // The properties of a running transfer must never change under it.
    if (updateRunning_) {
        ShowMessageBox(this, Tr("An update is still running.\r\nPlease wait until it has ended."),
                       QMessageBox::Critical);
        return;
    }
    FProgressDlg->Cancelled = false;

    const QString fileName = JvFilenameEdit->FileName();
    const QFileInfo file(fileName);
    if (fileName.isEmpty() || !file.isFile()) {
        ShowMessageBox(this, TrFormat("File not found %s", {fileName}), QMessageBox::Critical);
        return;
    }
    const int kind = UpdateKind();
    QString expected;
    if (kind == 0)
        expected = QString::fromUtf8(PrinterExtensions[ModelRow()].FirmwareExt);
    else if (kind == 1 && JvFilenameEdit->Tag >= 0 && JvFilenameEdit->Tag < kFilterCount)
        expected = FileExtension(QString::fromUtf8(FilterMasks[JvFilenameEdit->Tag]));
    if (FileExtension(file.fileName()) != expected) {
        ShowMessageBox(this, TrFormat("The file %s is not a valid firmware file for this printer !", {file.fileName()}),
                       QMessageBox::Critical);
        return;
    }
    // An empty file gives the printer nothing and the progress nothing to report.
    if (file.size() == 0) {
        ShowMessageBox(this, TrFormat("The file %s is empty.", {file.fileName()}), QMessageBox::Critical);
        return;
    }
    if (!SetPortProperties())
        return;
    if (ConfirmPrinterReady() != mrOk)
        return;

    ShowHourglass();
    SendThread->SetPreCommand(ModelRow() >= 6 && kind == 0 ? QByteArray(kUpdateModeCommand) : QByteArray());
    SendThread->SetFileName(fileName);
    updateRunning_ = true;
    SendThread->Start();
    if (kind == 0) {
        ShowProgressDlg(this);
    } else {
        FProgressDlg->TimerUpdateDone->stop();
        FProgressDlg->TimerStepProgressBar->stop();
        FProgressDlg->cxProgressBar1->setVisible(false);
        ShowDefaultCursor();
    }
}

bool TFMainForm::SetPortProperties()
{
    const QString caption = SelectedPortCaption();
    if (caption.contains(QLatin1String("COM"))) {
        const TSerialPort& serial = *FComPortDlg->SerialPort;
        SendThread->SetPortName(serial.Name);
        SendThread->SetBaudRate(std::uint32_t(serial.BaudRate));
        SendThread->SetByteSize(serial.ByteSize);
        SendThread->SetParity(serial.Parity);
        SendThread->SetStopBits(serial.StopBits);
    } else if (caption.contains(QLatin1String("LPT"))) {
        SendThread->SetPortName(FParallelPortDlg->ParallelPort->Name);
    } else if (caption == QLatin1String("USB")) {
        return SetUsbPrinter();
    } else if (caption == QLatin1String("Ethernet")) {
        SendThread->SetPortName(QStringLiteral("IP"));
        SendThread->SetIPPort(cxMaskEditIPPort->text());
        SendThread->SetIPAddress(JvIPAddress->text());
    }
    return true;
}

bool TFMainForm::SetUsbPrinter()
{
    SendThread->SetPortName(QStringLiteral("USB"));
    QStringList printers;
    SendThread->GetUSBPrinters(cxComboBoxPrinterModel->currentText(), printers);
    if (printers.isEmpty()) {
        ShowMessageBox(this, Tr("No USB Windows driver seems to be installed.\r\nPlease install the Windows driver first."),
                       QMessageBox::Critical);
        return false;
    }
    QString line = printers.constFirst();
    if (printers.size() > 1) {
        if (ChooseUSBPrinter(this, printers) != mrOk)
            return false;
        line = printers.value(FUSBPrinters->SelectedIndex());
    }
    const auto [name, port] = SplitPrinterLine(line);
    SendThread->SetPrinterName(name);
    SendThread->SetPrinterPort(port);
    if (SendThread->GetPrinterStatus() == 0) {
        ShowMessageBox(this,
                       Tr("The printer you are trying to update is currently offline.\r\n"
                          "Please first start the printer and then try again."),
                       QMessageBox::Critical);
        return false;
    }
    if (SendThread->GetPrinterStatus() == 1) {
        ShowMessageBox(this,
                       Tr("The printer you are trying to update is currently paused.\r\n"
                          "Please first start the printer and then try again."),
                       QMessageBox::Critical);
        return false;
    }
    return true;
}

bool TFMainForm::event(QEvent* event)
{
    if (event->type() == TProgressEvent::EventType) {
        const auto progress = static_cast<TProgressEvent*>(event);
        WMTransferProgress(progress->FileSize, progress->BytesRead);
        return true;
    }
    if (event->type() == TOutcomeEvent::EventType) {
        const auto outcome = static_cast<TOutcomeEvent*>(event);
        WMTransferOutcome(outcome->Code, outcome->Reason);
        return true;
    }
    return TFMainDlg::event(event);
}

void TFMainForm::WMTransferProgress(qint64 fileSize, qint64 bytesRead)
{
    FProgressDlg->StatusBar->SetPanelText(0, Tr("Transferring file..."));
    TGradientBar* bar = FProgressDlg->cxProgressBar1;
    bar->SetMaximum(2.0 * double(fileSize));
    bar->SetOverloadValue(double(fileSize));
    bar->SetPosition(double(bytesRead));
    if (fileSize != bytesRead || FProgressDlg->Cancelled)
        return;
    // The spooler still has to hand the job to the printer before its wait begins.
    if (SelectedPortCaption() == QLatin1String("USB"))
        QThread::msleep(std::max(UsbPauseMs, 0));
    const long double seconds = static_cast<long double>(FProgressDlg->TimerUpdateDone->interval()) / 1000.0L;
    FProgressDlg->ProgressStep = static_cast<long double>(fileSize) / seconds;
    FProgressDlg->TimerStepProgressBar->start();
}

void TFMainForm::WMTransferOutcome(int code, const QString& reason)
{
    QWidget* boxParent = FProgressDlg->isVisible() ? static_cast<QWidget*>(FProgressDlg) : this;
    switch (code) {
    case 0:
        FProgressDlg->StatusBar->SetPanelText(0, Tr("File transfer finished. Waiting to update..."));
        FProgressDlg->cxButton1->setEnabled(false);
        // Without a running wait (a cancel came too late to stop the last block) no
        // "Update done." will follow: end the update here rather than leave the hourglass.
        if (!FProgressDlg->TimerStepProgressBar->isActive()) {
            FProgressDlg->CloseDialog();
            UpdateEnded();
        }
        break;
    case -1:
        // What the system said goes behind the box, for the technician who needs it.
        EndFailedRun(boxParent, Tr("Transfer failed."), reason);
        break;
    case -2:
        // The progress dialog was closed already, by its Cancel.
        EndFailedRun(boxParent, Tr("Transfer cancelled by user."));
        break;
    default:
        break;
    }
}

void TFMainForm::EndFailedRun(QWidget* boxParent, const QString& text, const QString& details)
{
    ShowMessageBox(boxParent, text, QMessageBox::Critical, QMessageBox::Ok, details);
    FProgressDlg->StatusBar->SetPanelText(0, text);
    FProgressDlg->TimerStepProgressBar->stop();
    FProgressDlg->CloseDialog();
    UpdateEnded();
}

void TFMainForm::UpdateEnded()
{
    updateRunning_ = false;
    ShowDefaultCursor();
}

