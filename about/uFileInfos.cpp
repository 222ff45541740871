#include "about/uFileInfos.h"

#include <iterator>
#include <string>

#include <QDateTime>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>

#include "about/uVersionData.h"
#include "about/uXdgDefaultApp.h"

namespace {

// The shell's type names are capped at this many characters.
constexpr qsizetype kTypeNameLength = 80;

constexpr int kSmallIconSize = 16;
constexpr int kLargeIconSize = 32;

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The MIME type a file of this extension has, judged by the name alone.
QMimeType MimeTypeOfExtension(const QString& extension)
{
    return QMimeDatabase().mimeTypeForFile(QStringLiteral("file") + extension, QMimeDatabase::MatchExtension);
}

QIcon IconOfSize(const QIcon& icon, int size)
{
    return icon.isNull() ? QIcon() : QIcon(icon.pixmap(size, size));
}

// The last-write time as a packed file date holds it: whole seconds, even ones.
QDateTime AtTwoSeconds(QDateTime time)
{
    const QTime t = time.time();
    time.setTime(QTime(t.hour(), t.minute(), t.second() - t.second() % 2));
    return time;
}

} // namespace

TFileInfos::TFileInfos(const QString& path)
    : path_(path), smallIcon_(std::make_unique<QIcon>()), largeIcon_(std::make_unique<QIcon>())
{
}

TFileInfos::~TFileInfos() = default;

void TFileInfos::ClearFileInfo()
{
    const TDateTime created = info_.Created;
    const TDateTime modified = info_.Modified;
    info_ = TFileInfoStruct();
    info_.Created = created;
    info_.Modified = modified;
    *smallIcon_ = QIcon();
    *largeIcon_ = QIcon();
    info_.SmallIcon = smallIcon_.get();
    info_.LargeIcon = largeIcon_.get();
}

void TFileInfos::GetFileInfo(TFileInfoStruct& info)
{
    ClearFileInfo();
    const QFileInfo file(path_);
    // The type name, and with it the version data, exists only for a file that exists.
    if (file.exists()) {
        info_.TypeName = QMimeDatabase().mimeTypeForFile(file).comment().left(kTypeNameLength);
        TVersionData data;
        if (data.LoadFromFile(QFile::encodeName(path_).toStdString())) {
            QString* const fields[] = {&info_.CompanyName,      &info_.FileDescription, &info_.FileVersion,
                                       &info_.InternalName,     &info_.LegalCopyRight,  &info_.LegalTradeMarks,
                                       &info_.OriginalFileName, &info_.ProductName,     &info_.ProductVersion,
                                       &info_.Comments,         &info_.SpecialBuild,    &info_.PrivateBuild};
            const char* const keys[] = {"CompanyName",      "FileDescription", "FileVersion",   "InternalName",
                                        "LegalCopyRight",   "LegalTradeMarks", "OriginalFileName", "ProductName",
                                        "ProductVersion",   "Comments",        "SpecialBuild",  "PrivateBuild"};
            static_assert(std::size(fields) == std::size(keys));
            for (std::size_t i = 0; i < std::size(keys); ++i)
                *fields[i] = FromUtf8(data.ReadVersionValue(keys[i]));
        }
    }

    info_.FileName = path_;
    const QString suffix = file.suffix();
    info_.Extension = suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix;
    // Attributes of a file that cannot be found stay false: nothing is known about them.
    if (file.exists()) {
        info_.ReadOnly = !file.permission(QFileDevice::WriteOwner);
        info_.Hidden = file.fileName().startsWith(QLatin1Char('.'));
        info_.System = false;
    }

    ReadShellTypeAndIcons();

    if (!info_.Extension.isEmpty())
        info_.OpenCommand = XdgDefaultOpenCommand(MimeTypeOfExtension(info_.Extension).name());

    if (file.exists()) {
        const QDateTime birth = file.birthTime();
        info_.Created = DateTimeFromLocal(birth.isValid() ? birth.toLocalTime() : file.lastModified().toLocalTime());
        info_.Modified = DateTimeFromLocal(AtTwoSeconds(file.lastModified().toLocalTime()));
    }

    info = info_;
}

void TFileInfos::ReadShellTypeAndIcons()
{
    info_.FileTypeName = MimeTypeOfExtension(info_.Extension).comment().left(kTypeNameLength);
    // There is no numbered system icon list here; 0 says the icon has been looked up.
    info_.IconIndex = 0;
    const QIcon icon = QFileIconProvider().icon(QFileInfo(path_));
    *smallIcon_ = IconOfSize(icon, kSmallIconSize);
    *largeIcon_ = IconOfSize(icon, kLargeIconSize);
}

QString VersionTextOf(const QString& fileVersion)
{
    const qsizetype dot = fileVersion.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? fileVersion : fileVersion.left(dot);
}

TDateTime DateTimeFromLocal(const QDateTime& local)
{
    static const QDate epoch(1899, 12, 30);
    return TDateTime(epoch.daysTo(local.date())) + local.time().msecsSinceStartOfDay() / 86400000.0;
}
