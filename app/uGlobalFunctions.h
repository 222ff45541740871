#pragma once

#include <QString>

// Apply a newly chosen model to the main window FMainForm.
void FillUpdateKinds();
void FillPorts();
void ShowPrinterImage();

// "313_k3.kx" -> "3.13": the first character, a dot, the second and third.
QString VersionFromFileName(const QString& fileName);
