#pragma once

#include <QString>

// The version a firmware file's name carries in its first three characters:
// "313_k3.kx" gives "3.13". A shorter name gives what it has.
QString VersionFromFileName(const QString& fileName);
