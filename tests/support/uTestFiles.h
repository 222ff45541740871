#pragma once

#include <QByteArray>
#include <QString>

// Reproducible pseudo-random content: every byte value occurs, so a lost, doubled or
// reordered block changes the digest.
QByteArray PatternBytes(qint64 size, quint32 seed = 1);
// Writes PatternBytes(size, seed) to path; returns the bytes written.
QByteArray WritePatternFile(const QString& path, qint64 size, quint32 seed = 1);
QByteArray Sha256(const QByteArray& data);
