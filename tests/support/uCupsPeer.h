#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A private cupsd in a folder of the test's own, with a capturing "usb" backend. Start()
// points this process's spooler clients at it (CUPS_SERVER); the destructor ends it.
class TCupsPeer final
{
    Q_DISABLE_COPY_MOVE(TCupsPeer)
public:
    explicit TCupsPeer(const QString& folder);
    ~TCupsPeer();

    bool Start();
    // A queue whose driver (make-and-model) is `driver`, on the device `uri`.
    bool AddQueue(const QString& name, const QString& driver, const QString& uri);
    bool RemoveQueue(const QString& name);
    bool Pause(const QString& name, bool paused);   // cupsdisable / cupsenable
    bool Reject(const QString& name, bool rejected); // cupsreject / cupsaccept

    // Finished jobs of a queue, oldest first, as their captured bytes.
    QList<QByteArray> Captured(const QString& queue) const;
    // Titles of those jobs (the document name each was given).
    QStringList CapturedTitles(const QString& queue) const;

    QString Folder() const { return FFolder; }

private:
    bool Run(const QString& program, const QStringList& args) const;
    QStringList CaptureFiles(const QString& queue, const QString& suffix) const;

    QString FFolder;
    QString Script;
    bool Started = false;
};
