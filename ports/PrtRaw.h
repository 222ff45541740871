#pragma once

#include <QByteArray>
#include <QString>

// The raw spooler job on CUPS: one job of one raw document per queue handle. Every
// routine answers 1 for success and -1 for failure, as the job class above expects.
// A "page" has no counterpart in CUPS: the document is one stream of bytes.

struct TRawJobHandle; // connection to the spooler, queue name and job id

// Opens a connection to the spooler and creates a job with one raw document on the
// queue. outputFile is the queue's port: CUPS directs a job by its queue alone, so it
// is not sent. Returns nullptr on failure.
TRawJobHandle* StartRawPrintJob(const QString& printerName, const QString& outputFile,
                                const QString& documentName);
int StartRawPrintPage(TRawJobHandle* h);
// A count of 0 answers 1 without touching the spooler; anything the spooler does not
// take whole is a failure.
int PrintRawData(TRawJobHandle* h, const char* buffer, qint64 count);
int EndRawPrintPage(TRawJobHandle* h);
// Ends the document and closes the connection; frees h in every case.
int EndRawPrintJob(TRawJobHandle* h);
