#include "app/uGlobalFunctions.h"

QString VersionFromFileName(const QString& fileName)
{
    return fileName.left(1) + QLatin1Char('.') + fileName.mid(1, 2);
}
