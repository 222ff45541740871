#pragma once

#include <QCoreApplication>
#include <QEvent>

// What the worker tells its receiver (the main window) about a transfer. Both are
// posted, never sent: the worker must not wait for the receiver's thread.

// Outcome codes of a transfer (0, -1, -2: at most one per transfer) and of the spooler
// queries (-3, -4: posted by the queries on the caller's thread).
inline constexpr int kOutcomeDone = 0;
inline constexpr int kOutcomeWriteFailed = -1;
inline constexpr int kOutcomeCancelled = -2;
inline constexpr int kOutcomeQueueOpenFailed = -3;
inline constexpr int kOutcomeQueueDetailsFailed = -4;

// Once per block: the file's size and the bytes read so far, this block included.
// 64-bit so that files over 2 GiB still report right.
class TProgressEvent final : public QEvent
{
public:
    static constexpr QEvent::Type EventType = static_cast<QEvent::Type>(QEvent::User + 1);

    TProgressEvent(qint64 fileSize, qint64 bytesRead)
        : QEvent(EventType), FileSize(fileSize), BytesRead(bytesRead)
    {
    }

    const qint64 FileSize;
    const qint64 BytesRead;
};

// How a transfer ended, or which spooler query failed; for a failure, what the
// system said about it (a device, socket or spooler error text), if anything.
class TOutcomeEvent final : public QEvent
{
public:
    static constexpr QEvent::Type EventType = static_cast<QEvent::Type>(QEvent::User + 2);

    explicit TOutcomeEvent(int code, const QString& reason = QString())
        : QEvent(EventType), Code(code), Reason(reason)
    {
    }

    const int Code;
    const QString Reason;
};

// Posting to no receiver is allowed and does nothing, so a module without a window works.
inline void PostProgress(QObject* receiver, qint64 fileSize, qint64 bytesRead)
{
    if (receiver)
        QCoreApplication::postEvent(receiver, new TProgressEvent(fileSize, bytesRead));
}

inline void PostOutcome(QObject* receiver, int code, const QString& reason = QString())
{
    if (receiver)
        QCoreApplication::postEvent(receiver, new TOutcomeEvent(code, reason));
}
