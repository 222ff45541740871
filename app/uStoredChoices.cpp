#include "app/uStoredChoices.h"

#include <climits>

#include <QRegularExpression>

#include "app/uCommonRes.h"
#include "app/uIniFileStorage.h"

namespace {

const QString kModel = QStringLiteral("cxComboBoxPrinterModel_ItemIndex");
const QString kFilterRow = QStringLiteral("JvFilenameEdit_Tag");
const QString kIPAddress = QStringLiteral("JvIPAddress_Text");
const QString kFileName = QStringLiteral("JvFilenameEdit_FileName");
const QString kPort = QStringLiteral("cxRadioGroupPort_ItemIndex");
const QString kIPPort = QStringLiteral("cxMaskEditIPPort_Text");
const QString kUpdateKind = QStringLiteral("cxRadioGroupUpdateKind_ItemIndex");

std::optional<QString> Matching(const TIniFileStorage& storage, const QString& section, const QString& key,
                                const QRegularExpression& pattern)
{
    if (!storage.HasValue(section, key))
        return std::nullopt;
    const QString value = storage.ReadString(section, key);
    if (!pattern.match(value).hasMatch())
        return std::nullopt;
    return value;
}

} // namespace

TStoredChoices ReadStoredChoices(const TIniFileStorage& storage, const QString& section)
{
    TStoredChoices c;
    if (storage.ReadInteger(section, QStringLiteral("FormVersion"), 0) < 0)
        return c;
    static const QRegularExpression ipv4(
        QStringLiteral("^((25[0-5]|2[0-4]\\d|1\\d\\d|[1-9]?\\d)\\.){3}(25[0-5]|2[0-4]\\d|1\\d\\d|[1-9]?\\d)$"));
    static const QRegularExpression ipPort(QStringLiteral("^\\d{1,5}$"));
    c.ModelRow = storage.FindInteger(section, kModel, 0, kModelCount - 1);
    c.FilterRow = storage.FindInteger(section, kFilterRow, 0, kFilterCount - 1);
    c.IPAddress = Matching(storage, section, kIPAddress, ipv4);
    if (storage.HasValue(section, kFileName))
        c.FileName = storage.ReadString(section, kFileName);
    c.PortIndex = storage.FindInteger(section, kPort, 0, INT_MAX);
    c.IPPort = Matching(storage, section, kIPPort, ipPort);
    c.UpdateKind = storage.FindInteger(section, kUpdateKind, 0, 1);
    return c;
}

void WriteStoredChoices(TIniFileStorage& storage, const QString& section, const TStoredChoices& c)
{
    if (c.ModelRow)
        storage.WriteInteger(section, kModel, *c.ModelRow);
    if (c.FilterRow)
        storage.WriteInteger(section, kFilterRow, *c.FilterRow);
    if (c.IPAddress)
        storage.WriteString(section, kIPAddress, *c.IPAddress);
    if (c.FileName)
        storage.WriteString(section, kFileName, *c.FileName);
    if (c.PortIndex)
        storage.WriteInteger(section, kPort, *c.PortIndex);
    if (c.IPPort)
        storage.WriteString(section, kIPPort, *c.IPPort);
    if (c.UpdateKind)
        storage.WriteInteger(section, kUpdateKind, *c.UpdateKind);
}

int ReadStoredUpdateKind(const TIniFileStorage& storage, const QString& section)
{
    return storage.ReadInteger(section, kUpdateKind, 0, 0, 1);
}
