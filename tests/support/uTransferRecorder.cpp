#include "support/uTransferRecorder.h"

#include "ports/uTransferEvents.h"

void TTransferRecorder::Clear()
{
    Progress.clear();
    Outcomes.clear();
    OutcomeAfterProgress.clear();
}

bool TTransferRecorder::event(QEvent* e)
{
    if (e->type() == TProgressEvent::EventType) {
        const auto* p = static_cast<TProgressEvent*>(e);
        Progress.append({p->FileSize, p->BytesRead});
        return true;
    }
    if (e->type() == TOutcomeEvent::EventType) {
        Outcomes.append(static_cast<TOutcomeEvent*>(e)->Code);
        OutcomeAfterProgress.append(Progress.size());
        return true;
    }
    return QObject::event(e);
}
