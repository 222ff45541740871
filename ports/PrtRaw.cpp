#include "ports/PrtRaw.h"

#include <cups/cups.h>

#include "ports/uCupsConnection.h"

struct TRawJobHandle
{
    http_t* Http = nullptr;
    QByteArray Queue;
    int JobId = 0;
    bool DocumentOpen = false;
};

TRawJobHandle* StartRawPrintJob(const QString& printerName, const QString& /*outputFile*/,
                                const QString& documentName)
{
    auto* h = new TRawJobHandle;
    h->Queue = printerName.toUtf8();
    h->Http = ConnectToSpooler();
    const QByteArray title = documentName.toUtf8();
    if (h->Http)
        h->JobId = cupsCreateJob(h->Http, h->Queue.constData(), title.constData(), 0, nullptr);
    if (h->JobId > 0
        && cupsStartDocument(h->Http, h->Queue.constData(), h->JobId, title.constData(), CUPS_FORMAT_RAW, 1)
            == HTTP_STATUS_CONTINUE) {
        h->DocumentOpen = true;
        return h;
    }
    if (h->JobId > 0)
        cupsCancelJob2(h->Http, h->Queue.constData(), h->JobId, 0);
    if (h->Http)
        httpClose(h->Http);
    delete h;
    return nullptr;
}

int StartRawPrintPage(TRawJobHandle* h)
{
    return h && h->DocumentOpen ? 1 : -1;
}

int PrintRawData(TRawJobHandle* h, const char* buffer, qint64 count)
{
    if (count == 0)
        return 1;
    if (!h || !h->DocumentOpen || count < 0)
        return -1;
    return cupsWriteRequestData(h->Http, buffer, static_cast<size_t>(count)) == HTTP_STATUS_CONTINUE ? 1 : -1;
}

int EndRawPrintPage(TRawJobHandle* h)
{
    return h && h->DocumentOpen ? 1 : -1;
}

int EndRawPrintJob(TRawJobHandle* h)
{
    if (!h)
        return -1;
    int result = 1;
    if (h->DocumentOpen && cupsFinishDocument(h->Http, h->Queue.constData()) != IPP_STATUS_OK)
        result = -1;
    httpClose(h->Http);
    delete h;
    return result;
}
