#pragma once

#include <cups/cups.h>

// A connection of its own to the spooler this process is pointed at (CUPS_SERVER or the
// system's). The default connection is per thread and shared with whatever else the
// thread asks; a job or a query that owns its connection cannot disturb another.
// Close it with httpClose; nullptr when no spooler answers.
http_t* ConnectToSpooler();
