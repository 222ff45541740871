#pragma once

#include <QString>

class QIODevice;
class QLocale;
class QStandardItemModel;

// The fields of one line of the catalogue server's Unix long listing.
class TFirmwareInfos final
{
public:
    QString FirmwareFile;    // everything after the eighth field
    QString FirmwareVersion; // made from the first three characters of the file name
    QString FileAttributes;  // the permission string, without a leading "d"/"D"
    QString FileSize;        // the size field as written
    QString FileDate;        // month, day and time or year, joined by single spaces

    void Clear();
};

// Columns of the catalogue table, in the order the dialog shows them.
enum TCatalogueColumn : int {
    colPrinterName,
    colFirmwareVersion,
    colFirmwareFile,
    colFileSize,
    colFileDate,
    colFileAttributes,
    kCatalogueColumnCount
};

// Characters a column keeps; a longer value is cut when it is stored.
int CatalogueColumnWidth(int column);

// Splits one listing line (without its line end) into infos. Fields are
// separated by runs of spaces; a line of fewer than nine fields leaves the
// file name empty.
void ParseListLine(const QString& line, TFirmwareInfos& infos);

// The size shown for a size field: bytes, KB or MB with the locale's decimal
// separator. A field that is not a plain decimal number is shown as written.
QString FirmwareSizeText(const QString& sizeField, const QLocale& locale);

// Appends the catalogue rows of a listing to model, sorted by printer name in
// the user's collation (rows of one printer keep the listing's order). Lines
// longer than any sound listing line are passed over, like lines that match no
// model; each row goes in whole.
void LoadFirmwareList(QIODevice& listing, QStandardItemModel& model);

// The same from the listing file, which is deleted afterwards. A missing file
// changes nothing. Returns false with the reason when the file exists but
// cannot be read.
bool LoadFirmwareListFile(const QString& path, QStandardItemModel& model, QString* error);
