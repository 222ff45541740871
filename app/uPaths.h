#pragma once

#include <QString>

// The running program's own file.
QString ProgramFilePath();

// The program file's name without folder and extension.
QString ProgramBaseName();

// The per-user folder of the settings file and of the catalogue listing:
// ${XDG_CONFIG_HOME:-$HOME/.config}/vorn/<program base name>. Not created here.
QString SettingsFolder();
