#include "ports/uPrinterQueries.h"

#include "ports/uCupsQueues.h"
#include "ports/uTransferEvents.h"

namespace {

// Only a-z are upper-cased: the key compares the way the spooler's driver names were
// always compared, whatever the user's locale.
QString AsciiUpper(const QString& s)
{
    QString out = s;
    for (QChar& c : out) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return out;
}

bool IsUsbPort(const QString& deviceUri)
{
    return deviceUri.section(QLatin1Char(':'), 0, 0).compare(QLatin1String("usb"), Qt::CaseInsensitive) == 0
           && deviceUri.contains(QLatin1Char(':'));
}

int OutcomeOf(TQueueRead r)
{
    return r == TQueueRead::OpenFailed ? kOutcomeQueueOpenFailed : kOutcomeQueueDetailsFailed;
}

} // namespace

void QueryUSBPrinters(const QString& modelText, QStringList& list, QObject* receiver)
{
    const QString key = AsciiUpper(QString(modelText).remove(QLatin1Char(' ')));
    for (const QString& name : InstalledQueueNames()) {
        TQueueDetails d;
        const TQueueRead r = ReadQueueDetails(name, d);
        if (r != TQueueRead::Ok) {
            PostOutcome(receiver, OutcomeOf(r));
            return;
        }
        if (AsciiUpper(d.DriverName).contains(key) && IsUsbPort(d.PortName))
            list << d.PrinterName.left(255) + QLatin1Char('=') + d.PortName;
    }
}

int QueryPrinterStatus(const QString& printerName, QObject* receiver)
{
    if (printerName.isEmpty())
        return kPrinterNotChosen;
    TQueueDetails d;
    const TQueueRead r = ReadQueueDetails(printerName, d);
    if (r != TQueueRead::Ok) {
        PostOutcome(receiver, OutcomeOf(r));
        return kPrinterReady;
    }
    if (d.Paused)
        return kPrinterPaused;
    return d.Offline ? kPrinterOffline : kPrinterReady;
}
