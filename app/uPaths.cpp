#include "app/uPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString ProgramFilePath()
{
    // /proc/self/exe names the file even when argv[0] was a bare name on PATH.
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return self.isEmpty() ? QCoreApplication::applicationFilePath() : self;
}

QString ProgramBaseName()
{
    return QFileInfo(ProgramFilePath()).completeBaseName();
}

QString SettingsFolder()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/vorn/") + ProgramBaseName();
}
