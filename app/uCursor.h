#pragma once

// The screen cursor during an update: the hourglass from the start of a transfer
// to the end of its wait. Both calls may be repeated; the cursor is never stacked.
void ShowHourglass();
void ShowDefaultCursor();
bool HourglassShown();
