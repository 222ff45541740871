#pragma once

#include <QString>

#include <optional>

class TIniFileStorage;

// The user's last choices as the main window's section holds them, each key
// named after its component and property. A value that is absent, no number
// or out of range reads as absent, so the window keeps its default for it.
struct TStoredChoices
{
    std::optional<int> ModelRow;      // cxComboBoxPrinterModel_ItemIndex, 0 … 18
    std::optional<int> FilterRow;     // JvFilenameEdit_Tag, 0 … 17
    std::optional<QString> IPAddress; // JvIPAddress_Text, a dotted IPv4 address
    std::optional<QString> FileName;  // JvFilenameEdit_FileName, as entered
    std::optional<int> PortIndex;     // cxRadioGroupPort_ItemIndex, 0 or more
    std::optional<QString> IPPort;    // cxMaskEditIPPort_Text, up to five digits
    std::optional<int> UpdateKind;    // cxRadioGroupUpdateKind_ItemIndex, 0 or 1
};

// Reads the choices; none when "FormVersion" is below 0.
TStoredChoices ReadStoredChoices(const TIniFileStorage& storage, const QString& section);

// Writes every present choice, in the order above.
void WriteStoredChoices(TIniFileStorage& storage, const QString& section, const TStoredChoices& choices);

// The update kind that the restore selects last, after the model has been applied again: 0 when absent.
int ReadStoredUpdateKind(const TIniFileStorage& storage, const QString& section);
