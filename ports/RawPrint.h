#pragma once

#include <exception>

#include <QByteArray>
#include <QString>

struct TRawJobHandle;

// Raised when a raw job cannot be started; the message is in the user's language.
class ERawPrinterException final : public std::exception
{
public:
    explicit ERawPrinterException(QString message);
    const char* what() const noexcept override;
    const QString& Message() const { return FMessage; }

private:
    QString FMessage;
    QByteArray FUtf8;
};

// One raw job with one page, open from construction to destruction: everything
// written in between reaches the printer as one document.
class TWinRawPrinter final
{
    Q_DISABLE_COPY_MOVE(TWinRawPrinter)
public:
    // Throws ERawPrinterException ("StartRawPrintJob failed", "StartRawPrintPage failed").
    TWinRawPrinter(const QString& printerName, const QString& outputFile, const QString& documentName);
    ~TWinRawPrinter();

    int WriteBuffer(const char* buffer, qint64 count);
    int Write(const QByteArray& s);

private:
    TRawJobHandle* Handle = nullptr;
};
