// Reads arbitrary bytes as the settings file, as a hand-edited or damaged
// file reaches the program, and checks that every value the program takes
// from it is in range and that what the storage writes reads back the same.
#include <cstdint>
#include <cstdlib>

#include <QByteArray>

#include "app/uFormPlacement.h"
#include "app/uHandEditedSettings.h"
#include "app/uIniFileStorage.h"
#include "app/uStoredChoices.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool SameChoices(const TStoredChoices& a, const TStoredChoices& b)
{
    return a.ModelRow == b.ModelRow && a.FilterRow == b.FilterRow && a.IPAddress == b.IPAddress &&
           a.FileName == b.FileName && a.PortIndex == b.PortIndex && a.IPPort == b.IPPort &&
           a.UpdateKind == b.UpdateKind;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString section = QStringLiteral("FMainForm");
    TIniFileStorage storage{QString{}};
    storage.LoadData(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));

    const TStoredChoices choices = ReadStoredChoices(storage, section);
    Check(!choices.ModelRow || (*choices.ModelRow >= 0 && *choices.ModelRow <= 18));
    Check(!choices.FilterRow || (*choices.FilterRow >= 0 && *choices.FilterRow <= 17));
    Check(!choices.PortIndex || *choices.PortIndex >= 0);
    const int kind = ReadStoredUpdateKind(storage, section);
    Check(kind == 0 || kind == 1);
    const int pause = ReadEsctTimeOut(storage);
    Check(pause >= 0 && pause <= kMaxEsctTimeOut);
    Check(ReadPortDevices(storage).size() <= 8);
    const TCatalogueHostPort server = ReadCatalogueHostPort(storage);
    Check(server.Port >= 1 && server.Port <= 65535);
    if (const auto norm = ParseNormPos(storage.ReadString(section, QStringLiteral("NormPos")))) {
        Check(norm->width() > 0 && norm->height() > 0);
        PlaceOnScreens(*norm, {QRect(0, 0, 1024, 768)});
    }

    // The choices survive a save and a new start unchanged.
    WriteStoredChoices(storage, section, choices);
    TIniFileStorage again{QString{}};
    again.LoadData(storage.Contents());
    Check(SameChoices(ReadStoredChoices(again, section), choices));
    return 0;
}
