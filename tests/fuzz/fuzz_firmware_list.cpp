// Feeds arbitrary listings to the catalogue's parser and loader: nothing may
// crash, and every row that goes in must be whole and within its widths.
#include <cstddef>
#include <cstdint>

#include <QBuffer>
#include <QCollator>
#include <QStandardItemModel>

#include "catalogue/uFirmwareList.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // Inputs starting with '#' stand for long lines: the rest, repeated to
    // about 10 kB, beyond the longest line the loader reads.
    if (bytes.startsWith('#')) {
        const QByteArray rest = bytes.mid(1);
        bytes = rest.repeated(qMax(1, 10000 / qMax(1, int(rest.size()))));
    }

    TFirmwareInfos infos;
    ParseListLine(QString::fromLatin1(bytes), infos);
    Check(infos.FirmwareVersion.size() <= 4);

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QStandardItemModel model;
    LoadFirmwareList(buffer, model);
    Check(model.columnCount() == kCatalogueColumnCount);
    QCollator collator;
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < kCatalogueColumnCount; ++c) {
            const QString cell = model.index(r, c).data().toString();
            Check(cell.toUcs4().size() <= CatalogueColumnWidth(c));
        }
        if (r > 0)
            Check(collator.compare(model.index(r - 1, 0).data().toString(), model.index(r, 0).data().toString()) <= 0);
    }
    return 0;
}
