#pragma once

#include <QString>
#include <QStringList>

// What the spooler tells about its queues. Names are CUPS queue names; the driver is
// the queue's make-and-model, the port its device URI.
struct TQueueDetails
{
    QString PrinterName;
    QString DriverName;
    QString PortName;
    bool Paused = false;  // stopped (cupsdisable)
    bool Offline = false; // not accepting jobs (cupsreject), or the device reports offline
};

enum class TQueueRead
{
    Ok,
    OpenFailed,    // no spooler, or no such queue
    DetailsFailed, // the queue exists but its attributes could not be read
};

// The installed queues, in the spooler's order; empty when no spooler answers.
QStringList InstalledQueueNames();
TQueueRead ReadQueueDetails(const QString& name, TQueueDetails& details);
