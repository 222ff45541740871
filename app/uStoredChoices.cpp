#include "app/uStoredChoices.h"

#include <climits>
#include <type_traits>

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
    static const QRegularExpression ipv4(QStringLiteral(
        "^((25[0-5]|2[0-4]\\d|1\\d\\d|[1-9]?\\d)\\.){3}(25[0-5]|2[0-4]\\d|1\\d\\d|[1-9]?\\d)$"));
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
    const auto put = [&](const QString& key, const auto& value) {
        if (!value)
            return;
        if constexpr (std::is_same_v<std::decay_t<decltype(*value)>, int>)
            storage.WriteInteger(section, key, *value);
        else
            storage.WriteString(section, key, *value);
    };
    put(kModel, c.ModelRow);
    put(kFilterRow, c.FilterRow);
    put(kIPAddress, c.IPAddress);
    put(kFileName, c.FileName);
    put(kPort, c.PortIndex);
    put(kIPPort, c.IPPort);
    put(kUpdateKind, c.UpdateKind);
}

int ReadStoredUpdateKind(const TIniFileStorage& storage, const QString& section)
{
    return storage.ReadInteger(section, kUpdateKind, 0, 0, 1);
}
