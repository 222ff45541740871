#include "app/uGlobalFunctions.h"

#include "app/uCommonRes.h"
#include "app/uIniFileStorage.h"
#include "app/uMain.h"
#include "app/uPicture.h"
#include "app/uRadioGroup.h"
#include "ports/uComPortDlg.h"
#include "ports/uParallelPortDlg.h"
#include "progress/uProgressDlg.h"

#include <utility>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kR9 = 10;

void ShowIPControls(bool show, int editTop, int labelTop)
{
    FMainForm->JvIPAddress->setVisible(show);
    FMainForm->cxMaskEditIPPort->setVisible(show);
    FMainForm->LabelIPPort->setVisible(show);
    if (!show)
        return;
    FMainForm->JvIPAddress->move(FMainForm->JvIPAddress->x(), editTop);
    FMainForm->cxMaskEditIPPort->move(FMainForm->cxMaskEditIPPort->x(), editTop);
    FMainForm->PanelIPPort->move(FMainForm->PanelIPPort->x(), labelTop);
}

} // namespace

void FillUpdateKinds()
{
    TRadioGroup* kinds = FMainForm->cxRadioGroupUpdateKind;
    const int row = FMainForm->ModelRow();
    kinds->Clear();
    kinds->Add(UpdateKindCaption(row, 0));
    if (row >= 5)
        kinds->Add(UpdateKindCaption(row, 1));
    kinds->SetItemIndex(0);
}

QString UpdateKindCaption(int row, int updateKind)
{
    if (updateKind == 0)
        return QStringLiteral("Firmware");
    return row >= 12 ? QStringLiteral("PPP") : QStringLiteral("Bootloader");
}

namespace {

// Where the last file of the chosen model and update kind is recorded: the
// kind's caption as section, the model's name as key.
std::pair<QString, QString> LastFileNameKey()
{
    const int row = FMainForm->ModelRow();
    return {UpdateKindCaption(row, std::max(FMainForm->UpdateKind(), 0)), QString::fromUtf8(PrinterModelNames[row])};
}

} // namespace

void WriteLastFileName(const QString& fileName)
{
    const auto [section, key] = LastFileNameKey();
    FMainForm->JvAppIniFileStorage1->WriteString(section, key, fileName);
}

QString ReadLastFileName()
{
    const auto [section, key] = LastFileNameKey();
    return FMainForm->JvAppIniFileStorage1->ReadString(section, key);
}

void FillPorts()
{
    TRadioGroup* ports = FMainForm->cxRadioGroupPort;
    const int remembered = std::max(ports->ItemIndex(), 0);
    FMainForm->cxButtonPort->show();
    if (!FComPortDlg || !FParallelPortDlg)
        return;
    const QString serial = FComPortDlg->SerialPort->Name;
    const QString parallel = FParallelPortDlg->ParallelPort->Name;
    const int row = FMainForm->ModelRow();
    ports->Clear();
    if (row <= 4) {
        ports->Add(serial);
        ports->Add(parallel);
        ShowIPControls(false, 0, 0);
        ports->SetItemIndex(std::min(remembered, ports->Count() - 1));
    } else if (row == kR9) {
        ports->Add(serial);
        ports->Add(QStringLiteral("USB"));
        ports->Add(QStringLiteral("Ethernet"));
        FMainForm->cxButtonPort->move(FMainForm->cxButtonPort->x(), 58);
        ShowIPControls(true, 119, 103);
        ports->SetItemIndex(0);
    } else {
        ports->Add(serial);
        ports->Add(parallel);
        ports->Add(QStringLiteral("USB"));
        ports->Add(QStringLiteral("Ethernet"));
        ShowIPControls(true, 124, 108);
        ports->SetItemIndex(remembered);
    }
}

void ShowPrinterImage()
{
    const int shown = PictureOfRow(FMainForm->ModelRow());
    for (int i = 0; i < kPictureCount; ++i)
        FMainForm->ModelPictures[i]->setVisible(i == shown);
}

void ApplyUpdateWaitTime()
{
    if (FProgressDlg)
        FProgressDlg->TimerUpdateDone->setInterval(UpdateWaitTime(FMainForm->ModelRow()));
}

QString VersionFromFileName(const QString& fileName)
{
    // Names shorter than three characters give what they have.
    QString version = fileName.left(1);
    if (fileName.size() > 1)
        version += QLatin1Char('.') + fileName.mid(1, 2);
    return version;
}
