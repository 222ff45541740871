#pragma once

#include <QByteArray>
#include <QStringList>

// Compiles PO text with the real msgfmt and returns the MO bytes (empty on failure).
QByteArray Msgfmt(const QByteArray& po, const QStringList& extraArguments = {});

// A PO header declaring the given charset ("" for a header without one).
QByteArray PoHeader(const QByteArray& charset);
