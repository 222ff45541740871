#pragma once

#include <QString>

#include <climits>
#include <memory>
#include <optional>

// The settings file in memory: read once when created, read and changed in
// memory from then on, written back by Save. Sections, keys and values stand
// in the file as they are (no quoting, no escaping), so a key like
// "Corvin5 200dpi" or a value like "C:\fw\a,b.kx" is written and read byte for
// byte; names are compared without regard to ASCII case, as hand-edited INI
// files expect. A missing, unreadable or oversized file reads as an empty one.
class TIniFileStorage final
{
    Q_DISABLE_COPY_MOVE(TIniFileStorage)
public:
    explicit TIniFileStorage(const QString& fileName);
    ~TIniFileStorage();

    const QString& FileName() const { return fileName_; }

    // Replaces the copy in memory by the given file contents (what creation does with the file).
    void LoadData(const QByteArray& contents);

    bool HasValue(const QString& section, const QString& key) const;
    QString ReadString(const QString& section, const QString& key, const QString& fallback = QString()) const;
    // A decimal integer within [lowest, highest]; anything else, or no value, gives fallback.
    int ReadInteger(const QString& section, const QString& key, int fallback, int lowest = INT_MIN,
                    int highest = INT_MAX) const;
    // As ReadInteger, but says when there is no usable value.
    std::optional<int> FindInteger(const QString& section, const QString& key, int lowest = INT_MIN,
                                   int highest = INT_MAX) const;

    // A value that cannot stand on one line (a line break or NUL in it, as a
    // Linux file name may hold) is not written, and the key is removed, since
    // writing it would forge other keys; returns false then.
    bool WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);

    // The file's text as Save writes it.
    QByteArray Contents() const;
    bool IsModified() const { return modified_; }

    // Writes the copy in memory to the file when it has changed, creating the
    // file's folder if it is missing. On failure the file on disk is as before.
    bool Save(QString& error);

private:
    struct TData;
    QString fileName_;
    std::unique_ptr<TData> data_;
    bool modified_ = false;
};
