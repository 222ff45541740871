#include "app/uSettingsFile.h"

#include <QDir>

#include "app/uIniFileStorage.h"
#include "app/uMessageBox.h"
#include "app/uPaths.h"
#include "app/uTranslation.h"

namespace {

// Fills each "%s" of a resource string in turn; the inserted texts are not searched again.
QString Format(const QString& pattern, const QStringList& args)
{
    QString out;
    qsizetype from = 0;
    for (const QString& arg : args) {
        const qsizetype at = pattern.indexOf(QLatin1String("%s"), from);
        if (at < 0)
            break;
        out += pattern.mid(from, at - from) + arg;
        from = at + 2;
    }
    return out + pattern.mid(from);
}

} // namespace

QString SettingsFileName()
{
    return SettingsFolder() + QLatin1Char('/') + ProgramBaseName() + QStringLiteral(".ini");
}

QString PrepareSettingsFile(QWidget* parent)
{
    const QString folder = SettingsFolder() + QLatin1Char('/');
    if (!QDir().mkpath(folder))
        ShowMessageBox(parent,
                       Format(Tr("Unable to create the path:\r\n%s\r\nto store the ini file."), {folder}),
                       QMessageBox::Critical);
    return SettingsFileName();
}

bool SaveSettingsFile(TIniFileStorage& storage, QWidget* parent)
{
    QString error;
    if (storage.Save(error))
        return true;
    ShowMessageBox(
        parent,
        Format(Tr("Unable to save the settings to the file:\r\n%s\r\n%s"), {storage.FileName(), error}),
        QMessageBox::Critical);
    return false;
}
