#include "catalogue/uBackgroundCall.h"

#include <memory>

#include <QEventLoop>
#include <QThread>

void RunOffUiThread(std::function<void()> work)
{
    std::unique_ptr<QThread> thread(QThread::create(std::move(work)));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    thread->start();
    loop.exec();
    thread->wait();
}
