#include "catalogue/uFirmwareList.h"

#include <algorithm>
#include <array>
#include <vector>

#include <QCollator>
#include <QFile>
#include <QIODevice>
#include <QLocale>
#include <QStandardItemModel>
#include <QStringDecoder>

#include "app/uCommonRes.h"
#include "app/uGlobalFunctions.h"
#include "app/uTranslation.h"

namespace {

// A real listing line is well under 300 bytes; anything far longer is not a
// file entry, and reading it whole would let the server decide our memory use.
constexpr qint64 kMaxLineBytes = 4096;

constexpr std::array<int, kCatalogueColumnCount> kColumnWidths = {20, 4, 20, 50, 50, 50};

const QString kSharedVersion = QStringLiteral("3.13");

using TCatalogueRow = std::array<QString, kCatalogueColumnCount>;

// Cuts to width characters without splitting a surrogate pair.
QString CutToWidth(const QString& text, int width)
{
    qsizetype units = 0;
    for (int chars = 0; units < text.size() && chars < width; ++chars)
        units += (text.at(units).isHighSurrogate() && units + 1 < text.size()) ? 2 : 1;
    return text.left(units);
}

// Which catalogue rows a ".kx" file of this version belongs to: version 3.13
// runs on the four older models, every other version on the Nerio K.
bool PassesVersionGate(const QString& catalogueName, const QString& version)
{
    static const QStringList sharedModels{QStringLiteral("K1-2"), QStringLiteral("K3"), QStringLiteral("K5"),
                                          QStringLiteral("K7/300")};
    if (sharedModels.contains(catalogueName))
        return version == kSharedVersion;
    if (catalogueName == QLatin1String("Nerio K"))
        return version != kSharedVersion;
    return true;
}

QString ExtensionOf(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName.mid(dot);
}

// Listings come in UTF-8 from current servers and in Latin-1 from old ones.
QString DecodeLine(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return text;
}

// Reads the next line without its end. Returns false at the end of the data;
// *tooLong tells that the line was longer than kMaxLineBytes and was dropped.
bool ReadLine(QIODevice& in, QByteArray& line, bool* tooLong)
{
    *tooLong = false;
    if (in.atEnd())
        return false;
    line = in.readLine(kMaxLineBytes + 3);
    while (!line.endsWith('\n') && !in.atEnd() && line.size() > kMaxLineBytes) {
        *tooLong = true;
        line = in.readLine(kMaxLineBytes + 3);
    }
    if (line.endsWith('\n'))
        line.chop(line.endsWith("\r\n") ? 2 : 1);
    if (line.size() > kMaxLineBytes)
        *tooLong = true;
    return true;
}

void AppendRows(const TFirmwareInfos& infos, const QLocale& locale, std::vector<TCatalogueRow>& rows)
{
    const QString extension = ExtensionOf(infos.FirmwareFile);
    if (extension.isEmpty())
        return;
    QString sizeText;
    for (const TPrinterExtension& model : PrinterExtensions) {
        const QString name = QString::fromUtf8(model.CatalogueName);
        if (extension != QLatin1String(model.FirmwareExt) || !PassesVersionGate(name, infos.FirmwareVersion))
            continue;
        if (sizeText.isNull())
            sizeText = FirmwareSizeText(infos.FileSize, locale);
        TCatalogueRow row;
        row[colPrinterName] = name;
        row[colFirmwareVersion] = infos.FirmwareVersion;
        row[colFirmwareFile] = infos.FirmwareFile;
        row[colFileSize] = sizeText;
        row[colFileDate] = infos.FileDate;
        row[colFileAttributes] = infos.FileAttributes;
        for (int c = 0; c < kCatalogueColumnCount; ++c)
            row[c] = CutToWidth(row[c], kColumnWidths[c]);
        rows.push_back(std::move(row));
    }
}

} // namespace

void TFirmwareInfos::Clear()
{
    FirmwareFile.clear();
    FirmwareVersion.clear();
    FileAttributes.clear();
    FileSize.clear();
    FileDate.clear();
}

int CatalogueColumnWidth(int column)
{
    return column >= 0 && column < kCatalogueColumnCount ? kColumnWidths[column] : 0;
}

void ParseListLine(const QString& line, TFirmwareInfos& infos)
{
    infos.Clear();
    const qsizetype end = line.size();
    qsizetype pos = 0;
    if (end > 0 && (line.at(0) == QLatin1Char('d') || line.at(0) == QLatin1Char('D')))
        pos = 1;
    // One field and the spaces after it; never past the end of the line.
    const auto nextField = [&]() {
        const qsizetype start = pos;
        while (pos < end && line.at(pos) != QLatin1Char(' '))
            ++pos;
        const QString field = line.mid(start, pos - start);
        while (pos < end && line.at(pos) == QLatin1Char(' '))
            ++pos;
        return field;
    };
    infos.FileAttributes = nextField();
    for (int skipped = 0; skipped < 3; ++skipped) // link count, owner, group
        nextField();
    infos.FileSize = nextField();
    const QString month = nextField();
    const QString day = nextField();
    const QString timeOrYear = nextField();
    infos.FileDate = month + QLatin1Char(' ') + day + QLatin1Char(' ') + timeOrYear;
    infos.FirmwareFile = line.mid(pos);
    infos.FirmwareVersion = VersionFromFileName(infos.FirmwareFile);
}

QString FirmwareSizeText(const QString& sizeField, const QLocale& locale)
{
    // Digits only, up to 64 bits: the listing is the server's word, and a size
    // that does not fit or is no number is shown as the server wrote it.
    if (sizeField.isEmpty())
        return sizeField;
    quint64 n = 0;
    for (const QChar c : sizeField) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return sizeField;
        const quint64 digit = quint64(c.unicode() - '0');
        if (n > (~quint64(0) - digit) / 10)
            return sizeField;
        n = n * 10 + digit;
    }
    if (n < 1024)
        return sizeField + QLatin1Char(' ') + Tr("Bytes");
    const quint64 kilobytes = n / 1024;
    if (n < 1024 * 1024)
        return QString::number(kilobytes) + QLatin1Char(' ') + Tr("KB");
    QLocale plain(locale);
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(double(kilobytes) / 1024.0, 'f', 2) + QLatin1Char(' ') + Tr("MB");
}

void LoadFirmwareList(QIODevice& listing, QStandardItemModel& model)
{
    const QLocale locale;
    std::vector<TCatalogueRow> rows;
    TFirmwareInfos infos;
    QByteArray bytes;
    bool tooLong = false;
    while (ReadLine(listing, bytes, &tooLong)) {
        if (tooLong)
            continue;
        ParseListLine(DecodeLine(bytes), infos);
        AppendRows(infos, locale, rows);
    }

    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    std::stable_sort(rows.begin(), rows.end(), [&](const TCatalogueRow& a, const TCatalogueRow& b) {
        return collator.compare(a[colPrinterName], b[colPrinterName]) < 0;
    });

    if (model.columnCount() < kCatalogueColumnCount)
        model.setColumnCount(kCatalogueColumnCount);
    for (const TCatalogueRow& row : rows) {
        QList<QStandardItem*> items;
        for (const QString& value : row) {
            auto* item = new QStandardItem(value);
            item->setEditable(false);
            items << item;
        }
        model.appendRow(items);
    }
}

bool LoadFirmwareListFile(const QString& path, QStandardItemModel& model, QString* error)
{
    QFile file(path);
    if (!file.exists())
        return true;
    bool ok = true;
    if (file.open(QIODevice::ReadOnly)) {
        LoadFirmwareList(file, model);
        if (file.error() != QFileDevice::NoError) {
            *error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
            ok = false;
        }
        file.close();
    } else {
        *error = QStringLiteral("Cannot open %1: %2").arg(path, file.errorString());
        ok = false;
    }
    // The listing is only a go-between; a failed deletion is replaced next time.
    QFile::remove(path);
    return ok;
}
