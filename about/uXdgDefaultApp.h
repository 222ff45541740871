#pragma once

#include <QString>

// The program that opens files of a MIME type by default, from the XDG
// mimeapps.list files (the user's before the system's) and the desktop entry
// they name: the program path of its Exec line, without arguments or quotes.
// Empty when no default is set or its entry cannot be found.
QString XdgDefaultOpenCommand(const QString& mimeType);
