#pragma once

#include <QString>

// Apply a newly chosen model to the main window FMainForm.
void FillUpdateKinds();
void FillPorts();
void ShowPrinterImage();
// The progress dialog gives the printer the chosen model's installation wait.
void ApplyUpdateWaitTime();

// The English caption of an update kind of a model row: "Firmware", "Bootloader" or "PPP".
QString UpdateKindCaption(int row, int updateKind);

// The file last chosen in the browse dialog for the main window's model and
// update kind, kept in the settings under the kind's English caption (so a
// change of language finds it again) and the model's name.
void WriteLastFileName(const QString& fileName);
QString ReadLastFileName();

// "313_k3.kx" -> "3.13": the first character, a dot, the second and third.
QString VersionFromFileName(const QString& fileName);
