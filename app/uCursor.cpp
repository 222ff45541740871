#include "app/uCursor.h"

#include <QApplication>

namespace {
bool hourglass = false;
} // namespace

void ShowHourglass()
{
    if (!hourglass)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    hourglass = true;
}

void ShowDefaultCursor()
{
    if (hourglass)
        QApplication::restoreOverrideCursor();
    hourglass = false;
}

bool HourglassShown()
{
    return hourglass;
}
