#pragma once
// Finding what the plug-in opened among the host's top-level widgets.

#include <vector>

#include "host/host.h"

// The finder: the oldest live top-level window that is not a message box; nullptr before the
// plug-in built it and after it was destroyed.
eWidget* finderWindow();
// Message boxes on screen now, oldest first.
std::vector<eWidget*> visibleMessageBoxes();
