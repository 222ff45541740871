#include "StderrCapture.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

StderrCapture::StderrCapture()
{
    char name[] = "/tmp/vorn-stderr-XXXXXX";
    file_ = mkstemp(name);
    unlink(name);
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    dup2(file_, STDERR_FILENO);
}

StderrCapture::~StderrCapture()
{
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
    close(file_);
}

QByteArray StderrCapture::Text()
{
    std::fflush(stderr);
    QByteArray text;
    char buffer[4096];
    for (off_t at = 0;;) {
        const ssize_t n = pread(file_, buffer, sizeof buffer, at);
        if (n <= 0)
            break;
        text.append(buffer, n);
        at += n;
    }
    return text;
}
