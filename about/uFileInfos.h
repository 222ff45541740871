#pragma once

#include <QIcon>
#include <QString>

#include <memory>

class QDateTime;

// Days since 30 December 1899, the fraction being the time of day.
using TDateTime = double;

struct TFileInfoStruct
{
    QString FileName;
    QString TypeName;
    QString Extension;
    QString CompanyName;
    QString FileDescription;
    QString FileVersion;
    QString InternalName;
    QString LegalCopyRight;
    QString LegalTradeMarks;
    QString OriginalFileName;
    QString ProductName;
    QString ProductVersion;
    QString Comments;
    QString SpecialBuild;
    QString PrivateBuild;
    QString FileTypeName;
    qint32 IconIndex = -1;
    QString OpenCommand;
    // Owned by the reader that filled the record; valid as long as it lives.
    QIcon* SmallIcon = nullptr;
    QIcon* LargeIcon = nullptr;
    bool ReadOnly = false;
    bool Hidden = false;
    bool System = false;
    TDateTime Created = 0;
    TDateTime Modified = 0;
};

// Gathers what is known about one file: the texts of its version data, its
// type names and icons, the program that opens its kind, its attributes and times.
class TFileInfos final
{
public:
    explicit TFileInfos(const QString& path);
    ~TFileInfos();
    Q_DISABLE_COPY_MOVE(TFileInfos)

    // Fills the record afresh on each call and copies it to info.
    void GetFileInfo(TFileInfoStruct& info);

private:
    void ClearFileInfo();
    void ReadShellTypeAndIcons();

    QString path_;
    TFileInfoStruct info_;
    std::unique_ptr<QIcon> smallIcon_;
    std::unique_ptr<QIcon> largeIcon_;
};

// The version as the status bar shows it: the text before the last ".",
// the whole text when it has none ("1.2.3.4" gives "1.2.3", "7" gives "7").
QString VersionTextOf(const QString& fileVersion);

// A local date-time as days since 30 December 1899.
TDateTime DateTimeFromLocal(const QDateTime& local);
