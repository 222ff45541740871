#pragma once

#include <QString>
#include <QStringList>

class QObject;

// Printer status codes.
inline constexpr int kPrinterOffline = 0;
inline constexpr int kPrinterPaused = 1;
inline constexpr int kPrinterReady = 2; // neither, or not determinable
inline constexpr int kPrinterNotChosen = 3;

// Adds "queue name=port" for every queue whose driver belongs to the model and whose
// port is a USB port. On a spooler failure posts -3 or -4 to receiver and stops;
// lines found so far stay.
void QueryUSBPrinters(const QString& modelText, QStringList& list, QObject* receiver);

// Status of one queue; a spooler failure posts -3 or -4 to receiver and answers 2.
int QueryPrinterStatus(const QString& printerName, QObject* receiver);
