#pragma once

#include <QByteArray>

// Collects what the process writes to standard error while it lives.
class StderrCapture final
{
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // What was written so far.
    QByteArray Text();

private:
    int saved_ = -1;
    int file_ = -1;
};
