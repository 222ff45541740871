#pragma once

#include <functional>

// Runs work on a thread of its own and returns when it has finished. The
// caller's thread meanwhile processes its events in a local loop, so the
// windows stay usable (and may call in again: callers guard against that).
void RunOffUiThread(std::function<void()> work);
