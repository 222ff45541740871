// The main window's side of the settings file: where it is, what start-up
// reads from it, the restore at the first showing and the save at the close.
#include "app/uMain.h"

#include <algorithm>

#include <QLineEdit>
#include <QValidator>

#include "app/uComboBox.h"
#include "app/uFilenameEdit.h"
#include "app/uFormPlacement.h"
#include "app/uGlobalFunctions.h"
#include "app/uIniFileStorage.h"
#include "app/uRadioGroup.h"
#include "app/uSettingsFile.h"
#include "app/uStoredChoices.h"
#include "catalogue/uFirmwareVersionDlg.h"

namespace {

// Selects index in group, or its last entry when the group has fewer.
void SelectClamped(TRadioGroup* group, int index)
{
    group->SetItemIndex(std::min(index, group->Count() - 1));
}

// Stored texts go into a field only when the field would take them from the user.
void SetTextIfValid(QLineEdit* edit, const QString& text)
{
    QString candidate = text;
    int pos = 0;
    if (!edit->validator() || edit->validator()->validate(candidate, pos) == QValidator::Acceptable)
        edit->setText(text);
}

} // namespace

QString TFMainForm::JvAppIniFileStorage1GetFileName()
{
    return PrepareSettingsFile(this);
}

void TFMainForm::ReadStartupSettings()
{
    esctTimeOut_ = ReadEsctTimeOut(*JvAppIniFileStorage1);
    portDevices_ = ReadPortDevices(*JvAppIniFileStorage1);
    catalogueHostPort_ = ReadCatalogueHostPort(*JvAppIniFileStorage1);

    TCatalogueServer server = CatalogueServer();
    if (!catalogueHostPort_.Host.isEmpty())
        server.Host = catalogueHostPort_.Host;
    server.Port = catalogueHostPort_.Port;
    SetCatalogueServer(server);
}

void TFMainForm::OfferLastFileName()
{
    // The restore puts back the file name of the last run, whatever was recorded per model.
    if (!offerLastFileName_)
        return;
    const QString recorded = ReadLastFileName();
    if (!recorded.isEmpty())
        JvFilenameEdit->SetFileName(recorded);
}

void TFMainForm::RestoreFormStorage()
{
    const TIniFileStorage& storage = *JvAppIniFileStorage1;
    const QString section = objectName();
    RestoreFormPlacement(storage, *this);
    const TStoredChoices c = ReadStoredChoices(storage, section);
    if (c.ModelRow)
        cxComboBoxPrinterModel->setCurrentIndex(*c.ModelRow);
    if (c.FilterRow)
        JvFilenameEdit->Tag = *c.FilterRow;
    if (c.IPAddress)
        SetTextIfValid(JvIPAddress, *c.IPAddress);
    if (c.FileName)
        JvFilenameEdit->SetFileName(*c.FileName);
    if (c.PortIndex)
        SelectClamped(cxRadioGroupPort, *c.PortIndex);
    if (c.IPPort)
        SetTextIfValid(cxMaskEditIPPort, *c.IPPort);
    if (c.UpdateKind)
        SelectClamped(cxRadioGroupUpdateKind, *c.UpdateKind);
    RestoreActiveControl(storage, *this);
    restoredPortIndex_ = c.PortIndex;
    JvFormStorage1AfterRestorePlacement();
    offerLastFileName_ = true;
}

void TFMainForm::JvFormStorage1AfterRestorePlacement()
{
    cxComboBoxPrinterModelPropertiesCloseUp();
    // Applying R9 selects its serial entry; the port of the last run wins over that.
    if (restoredPortIndex_)
        SelectClamped(cxRadioGroupPort, *restoredPortIndex_);
    SelectClamped(cxRadioGroupUpdateKind, ReadStoredUpdateKind(*JvAppIniFileStorage1, objectName()));
}

void TFMainForm::SaveFormStorage()
{
    TIniFileStorage& storage = *JvAppIniFileStorage1;
    SaveFormPlacement(storage, *this);
    TStoredChoices c;
    c.ModelRow = ModelRow();
    c.FilterRow = JvFilenameEdit->Tag;
    c.IPAddress = JvIPAddress->text();
    c.FileName = JvFilenameEdit->FileName();
    c.PortIndex = cxRadioGroupPort->ItemIndex();
    c.IPPort = cxMaskEditIPPort->text();
    c.UpdateKind = UpdateKind();
    WriteStoredChoices(storage, objectName(), c);
    SaveSettingsFile(storage, this);
    settingsSaved_ = true;
}
