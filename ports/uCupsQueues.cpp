#include "ports/uCupsQueues.h"

#include <cups/cups.h>

#include "ports/uCupsConnection.h"

namespace {

QString TextOf(ipp_t* response, const char* name)
{
    ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_ZERO);
    return a ? QString::fromUtf8(ippGetString(a, 0, nullptr)) : QString();
}

bool HasKeyword(ipp_t* response, const char* name, const char* keyword)
{
    ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_KEYWORD);
    for (int i = 0; a && i < ippGetCount(a); ++i) {
        if (qstrcmp(ippGetString(a, i, nullptr), keyword) == 0)
            return true;
    }
    return false;
}

} // namespace

QStringList InstalledQueueNames()
{
    QStringList names;
    http_t* http = ConnectToSpooler();
    if (!http)
        return names;
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(http, &dests);
    for (int i = 0; i < count; ++i) {
        // Instances are saved option sets of a queue, not queues of their own.
        if (!dests[i].instance)
            names << QString::fromUtf8(dests[i].name);
    }
    cupsFreeDests(count, dests);
    httpClose(http);
    return names;
}

TQueueRead ReadQueueDetails(const QString& name, TQueueDetails& details)
{
    http_t* http = ConnectToSpooler();
    if (!http)
        return TQueueRead::OpenFailed;

    static const char* const wanted[] = {"printer-name", "printer-make-and-model", "device-uri", "printer-state",
                                         "printer-state-reasons", "printer-is-accepting-jobs"};
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     name.toUtf8().constData());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(std::size(wanted)), nullptr, wanted);
    ipp_t* response = cupsDoRequest(http, request, "/");
    const ipp_status_t status = cupsLastError();

    TQueueRead result = TQueueRead::Ok;
    if (status == IPP_STATUS_ERROR_NOT_FOUND) {
        result = TQueueRead::OpenFailed;
    } else if (!response || status > IPP_STATUS_OK_CONFLICTING) {
        result = TQueueRead::DetailsFailed;
    } else {
        details.PrinterName = TextOf(response, "printer-name");
        details.DriverName = TextOf(response, "printer-make-and-model");
        details.PortName = TextOf(response, "device-uri");
        ipp_attribute_t* state = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM);
        ipp_attribute_t* accepting = ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
        if (!state || details.PrinterName.isEmpty()) {
            result = TQueueRead::DetailsFailed;
        } else {
            details.Paused = ippGetInteger(state, 0) == IPP_PSTATE_STOPPED;
            details.Offline = (accepting && !ippGetBoolean(accepting, 0))
                              || HasKeyword(response, "printer-state-reasons", "offline-report");
        }
    }
    ippDelete(response);
    httpClose(http);
    return result;
}
