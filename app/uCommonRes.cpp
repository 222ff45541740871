#include "app/uCommonRes.h"

#include "app/uTranslation.h"

const std::array<const char*, kModelCount> PrinterModelNames = {
    "Corvin5 200dpi", "Corvin5 300dpi", "Corvin6 200dpi", "Corvin6 300dpi", "K7 200dpi",
    "K1-2", "K1", "K3", "K5", "K7 300dpi", "R9", "Nerio K", "K0+", "K3+", "K5+", "K7+",
    "Brisk 9", "QZ", "ZL6"};

const std::array<TPrinterExtension, kModelCount> PrinterExtensions = {{
    {"Corvin 5/200", ".52h"}, {"Corvin 5/300", ".53h"}, {"Corvin 6/200", ".62h"},
    {"Corvin 6/300", ".63h"}, {"K7/200", ".k7"}, {"K1-2", ".kx"}, {"K1", ".k1"},
    {"K3", ".kx"}, {"K5", ".kx"}, {"K7/300", ".kx"}, {"R9", ".r9"}, {"Nerio K", ".kx"},
    {"K0+", ".x2"}, {"K3+", ".x2"}, {"K5+", ".x2"}, {"K7+", ".x2"}, {"Brisk9", ".x2"},
    {"QZ", ".x2"}, {"ZL6", ".x2"},
}};

const std::array<const char*, kFilterCount> FilterDescriptions = {
    "Firmware Corvin 5/200", " ", "Firmware Corvin 5/300", " ", "Firmware Corvin 6/200", " ",
    "Firmware Corvin 6/300", " ", "Firmware K7/200", " ", "Firmware K1", "Bootloader K1",
    "Firmware K1.400, K3, K5, K7/300, NerioK", "Bootloader K1.400, K3, K5, K7/300, NerioK",
    "Firmware R9", "Bootloader R9", "Firmware K+, Brisk9, QZ, ZL6", "PPP K+, Brisk9, QZ, ZL6"};

const std::array<const char*, kFilterCount> FilterMasks = {
    "*.52h", " ", "*.53h", " ", "*.62h", " ", "*.63h", " ", "*.k7", " ",
    "*.k1", "*.bk1", "*.kx", "*.bnl", "*.r9", "*.bnl", "*.x2", "*.ppp"};

int UpdateWaitTime(int row)
{
    if (row <= 4)
        return 14000;
    if (row <= 11)
        return 30000;
    return 35000;
}

int FilterRowOf(int row, int updateKind)
{
    if (row <= 4)
        return 2 * row + updateKind;
    if (row == 6)
        return 10 + updateKind;
    if (row == 10)
        return 14 + updateKind;
    if (row >= 12)
        return 16 + updateKind;
    return 12 + updateKind; // rows 5, 7, 8, 9 and 11
}

const std::array<const char*, kPictureCount> PictureNames = {
    "ImageCorvin5", "ImageCorvin6", "ImageK7_200", "ImageK1_2", "ImageK1", "ImageK3",
    "ImageK5", "ImageK7", "ImageR9", "ImageNerioK", "ImageK0plus", "ImageK3plus",
    "ImageK5plus", "ImageK7plus", "ImageBrisk9", "ImageQZ", "ImageZL6"};

int PictureOfRow(int row)
{
    // Rows 0 and 1 share a picture, and so do rows 2 and 3.
    if (row <= 1)
        return 0;
    if (row <= 3)
        return 1;
    return row - 2;
}

const char* const PromptFirmwareCorvin = TrNoop(
    "Prepare the printer to update the firmware:\r\n"
    " 1) Switch the printer off, press simultaneously the four function keys and switch it on again.\r\n"
    " 2) Check that the screen is displaying \"SYSTEM UPDATE\"\r\n\r\n"
    "Now the printer is waiting for the firmware, validating this dialog will begin the update.");
const char* const PromptFirmwareR9 = TrNoop(
    "Prepare the printer to update the firmware:\r\n"
    " 1) Check that the printer is on\r\n"
    " 2) Check that there is no error (red led on)");
const char* const PromptFirmwareOnline = TrNoop(
    "Prepare the printer to update the firmware:\r\n"
    " 1) Make sure that your printer is online\r\n"
    " 2) Take care that there is no error and that the printer displays 'Ready'.\r\n"
    "Now the printer is waiting for the firmware, validating this dialog will begin the update.");
const char* const PromptPpp = TrNoop(
    "Prepare the printer to send your PPP file:\r\n"
    " 1) Check that the printer is on\r\n"
    " 2) Check that there is no error (red led on)");
const char* const PromptBootloader = TrNoop(
    "Prepare the printer to update the bootloader:\r\n"
    " 1) Check that the printer is on\r\n"
    " 2) Check that there is no error (red led on)");
