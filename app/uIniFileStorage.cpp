#include "app/uIniFileStorage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/uAtomicFile.h"

// SimpleIni's code is compiled here and nowhere else; the packaged header has
// no converter to UTF-16, and byte strings are all this file needs.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace {

// Far beyond any settings file; a larger one is not ours to load into memory.
constexpr qint64 kMaxFileSize = 1024 * 1024;

QByteArray Utf8(const QString& s)
{
    return s.toUtf8();
}

} // namespace

struct TIniFileStorage::TData
{
    CSimpleIniA ini;

    TData()
    {
        ini.SetUnicode(true);
        ini.SetSpaces(false);
        ini.SetMultiKey(false);
        ini.SetMultiLine(false);
        ini.SetQuotes(false);
    }
};

TIniFileStorage::TIniFileStorage(const QString& fileName)
    : fileName_(fileName), data_(std::make_unique<TData>())
{
    QFile file(fileName_);
    if (!fileName_.isEmpty() && file.open(QIODevice::ReadOnly) && file.size() <= kMaxFileSize) {
        const QByteArray contents = file.read(kMaxFileSize + 1);
        if (contents.size() <= kMaxFileSize)
            LoadData(contents);
    }
}

TIniFileStorage::~TIniFileStorage() = default;

void TIniFileStorage::LoadData(const QByteArray& contents)
{
    data_->ini.Reset();
    if (data_->ini.LoadData(contents.constData(), static_cast<size_t>(contents.size())) < 0)
        data_->ini.Reset();
    modified_ = false;
}

bool TIniFileStorage::HasValue(const QString& section, const QString& key) const
{
    return data_->ini.GetValue(Utf8(section).constData(), Utf8(key).constData()) != nullptr;
}

QString TIniFileStorage::ReadString(const QString& section, const QString& key, const QString& fallback) const
{
    const char* value = data_->ini.GetValue(Utf8(section).constData(), Utf8(key).constData());
    return value ? QString::fromUtf8(value) : fallback;
}

std::optional<int> TIniFileStorage::FindInteger(const QString& section, const QString& key, int lowest,
                                                int highest) const
{
    const char* value = data_->ini.GetValue(Utf8(section).constData(), Utf8(key).constData());
    if (!value)
        return std::nullopt;
    bool ok = false;
    const int number = QByteArray(value).trimmed().toInt(&ok, 10);
    if (!ok || number < lowest || number > highest)
        return std::nullopt;
    return number;
}

int TIniFileStorage::ReadInteger(const QString& section, const QString& key, int fallback, int lowest,
                                 int highest) const
{
    return FindInteger(section, key, lowest, highest).value_or(fallback);
}

bool TIniFileStorage::WriteString(const QString& section, const QString& key, const QString& value)
{
    const QByteArray s = Utf8(section);
    const QByteArray k = Utf8(key);
    modified_ = true;
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')) || value.contains(QChar(0))) {
        data_->ini.Delete(s.constData(), k.constData());
        return false;
    }
    return data_->ini.SetValue(s.constData(), k.constData(), Utf8(value).constData()) >= 0;
}

void TIniFileStorage::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

QByteArray TIniFileStorage::Contents() const
{
    std::string text;
    data_->ini.Save(text, false);
    return QByteArray::fromStdString(text);
}

bool TIniFileStorage::Save(QString& error)
{
    if (!modified_)
        return true;
    const QString folder = QFileInfo(fileName_).absolutePath();
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("mkdir: %1").arg(folder);
        return false;
    }
    if (!WriteFileAtomically(fileName_, Contents(), error))
        return false;
    modified_ = false;
    return true;
}
