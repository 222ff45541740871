#include "support/TempConfigHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TTempConfigHome::TTempConfigHome()
    : home_(dir_.path() + QStringLiteral("/config")), previous_(qgetenv("XDG_CONFIG_HOME")),
      hadPrevious_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_));
}

TTempConfigHome::~TTempConfigHome()
{
    if (hadPrevious_)
        qputenv("XDG_CONFIG_HOME", previous_);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

void TTempConfigHome::WriteFile(const QString& relativePath, const QByteArray& contents) const
{
    const QString path = home_ + QLatin1Char('/') + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(contents);
}
