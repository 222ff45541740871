#include "ports/RawPrint.h"

#include "app/uTranslation.h"
#include "ports/PrtRaw.h"

ERawPrinterException::ERawPrinterException(QString message)
    : FMessage(std::move(message)), FUtf8(FMessage.toUtf8())
{
}

const char* ERawPrinterException::what() const noexcept
{
    return FUtf8.constData();
}

TWinRawPrinter::TWinRawPrinter(const QString& printerName, const QString& outputFile,
                               const QString& documentName)
{
    Handle = StartRawPrintJob(printerName, outputFile, documentName);
    if (!Handle)
        throw ERawPrinterException(Tr("StartRawPrintJob failed"));
    if (StartRawPrintPage(Handle) < 0) {
        EndRawPrintJob(Handle);
        Handle = nullptr;
        throw ERawPrinterException(Tr("StartRawPrintPage failed"));
    }
}

TWinRawPrinter::~TWinRawPrinter()
{
    EndRawPrintPage(Handle);
    EndRawPrintJob(Handle);
}

int TWinRawPrinter::WriteBuffer(const char* buffer, qint64 count)
{
    return PrintRawData(Handle, buffer, count);
}

int TWinRawPrinter::Write(const QByteArray& s)
{
    return WriteBuffer(s.constData(), s.size());
}
