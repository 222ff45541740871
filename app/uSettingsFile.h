#pragma once

#include <QString>

class QWidget;
class TIniFileStorage;

// The settings file's name: <settings folder>/<program base name>.ini.
QString SettingsFileName();

// Makes sure the settings folder exists and returns the settings file's name.
// When the folder cannot be created the user is told in an error box over
// parent and the name is returned all the same: the program runs on its
// defaults and the save at the end tries the folder again.
QString PrepareSettingsFile(QWidget* parent);

// Writes the storage back to its file; when that fails the file stays as it
// was and an error box over parent names the file and the reason.
bool SaveSettingsFile(TIniFileStorage& storage, QWidget* parent);
