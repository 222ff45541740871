#include "about/uXdgDefaultApp.h"

#include <QFile>
#include <QStandardPaths>
#include <QStringList>

namespace {

// The value of key in [section] of a desktop-entry style file; empty when absent.
QString IniValue(const QString& path, const QString& section, const QString& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inSection = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inSection = line == QLatin1Char('[') + section + QLatin1Char(']');
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (inSection && eq > 0 && line.left(eq).trimmed() == key)
            return line.mid(eq + 1).trimmed();
    }
    return {};
}

QString DesktopEntryPath(const QString& id)
{
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("applications/") + id);
}

// The program of an Exec line: its first word, or the text between its leading quotes.
QString ProgramOf(const QString& exec)
{
    if (exec.startsWith(QLatin1Char('"'))) {
        QString program;
        for (qsizetype i = 1; i < exec.size(); ++i) {
            if (exec[i] == QLatin1Char('\\') && i + 1 < exec.size())
                program += exec[++i];
            else if (exec[i] == QLatin1Char('"'))
                return program;
            else
                program += exec[i];
        }
        return {}; // an unterminated quote is no command
    }
    return exec.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
}

QStringList MimeAppsFiles()
{
    QStringList files;
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        files << dir + QStringLiteral("/mimeapps.list");
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        files << dir + QStringLiteral("/applications/mimeapps.list") << dir + QStringLiteral("/applications/defaults.list");
    return files;
}

} // namespace

QString XdgDefaultOpenCommand(const QString& mimeType)
{
    if (mimeType.isEmpty())
        return {};
    for (const QString& list : MimeAppsFiles()) {
        const QString ids = IniValue(list, QStringLiteral("Default Applications"), mimeType);
        for (const QString& id : ids.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString entry = DesktopEntryPath(id.trimmed());
            if (entry.isEmpty())
                continue;
            return ProgramOf(IniValue(entry, QStringLiteral("Desktop Entry"), QStringLiteral("Exec")));
        }
    }
    return {};
}
