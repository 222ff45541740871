#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path by data so that a crash, a kill or a full disk
// leaves either the old file or the new one, never a mix: the bytes go to a
// temporary file in the same folder, are flushed to the disk and then renamed
// over the file. A symbolic link at path keeps pointing where it did; its
// target is replaced. An existing file keeps its permissions. On failure the
// old file is untouched, no temporary file is left and error says why.
bool WriteFileAtomically(const QString& path, const QByteArray& data, QString& error);
