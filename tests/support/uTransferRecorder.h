#pragma once

#include <QList>
#include <QObject>

// Receives what the send thread posts, in order, as the main window would.
class TTransferRecorder final : public QObject
{
    Q_OBJECT
public:
    struct TProgress
    {
        qint64 FileSize;
        qint64 BytesRead;
        bool operator==(const TProgress&) const = default;
    };

    using QObject::QObject;

    QList<TProgress> Progress;
    QList<int> Outcomes;
    // Index into Progress at the moment each outcome arrived.
    QList<qsizetype> OutcomeAfterProgress;

    void Clear();

protected:
    bool event(QEvent* e) override;
};
