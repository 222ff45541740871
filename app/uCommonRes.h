#pragma once

#include <array>

// The fixed tables of the 19 printer models, indexed by the model row (the
// row order is part of the settings file's format), and of the 18 browse filters.

inline constexpr int kModelCount = 19;
inline constexpr int kFilterCount = 18;

struct TPrinterExtension
{
    const char* CatalogueName; // the model's name in the maker's firmware catalogue
    const char* FirmwareExt;   // the only extension accepted for a firmware file, with its dot
};

extern const std::array<const char*, kModelCount> PrinterModelNames;
extern const std::array<TPrinterExtension, kModelCount> PrinterExtensions;
extern const std::array<const char*, kFilterCount> FilterDescriptions;
extern const std::array<const char*, kFilterCount> FilterMasks;

// Milliseconds the printer is given to install a firmware after the last block.
int UpdateWaitTime(int row);

// Filter row of a model row and an update kind.
int FilterRowOf(int row, int updateKind);

// The update-mode command sent ahead of a firmware file to rows 6 to 18.
inline constexpr const char* kUpdateModeCommand = "c78;3840\r\n";

// Object names of the model pictures, and which one each row shows.
inline constexpr int kPictureCount = 17;
extern const std::array<const char*, kPictureCount> PictureNames;
int PictureOfRow(int row);

// Instruction prompts (resource strings, looked up in the current language when shown).
extern const char* const PromptFirmwareCorvin;
extern const char* const PromptFirmwareR9;
extern const char* const PromptFirmwareOnline;
extern const char* const PromptPpp;
extern const char* const PromptBootloader;
