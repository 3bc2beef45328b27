#pragma once
// What the finder shows, read off its widgets by their skin names, into a reading.

#include "host/host.h"
#include "reading.h"

// Fills the texts, the check boxes and the FEC caption of `reading` from the widgets of
// `finder` (nullptr: the window is gone, and they stay empty and absent).
void readFinderWidgets(eWidget* finder, Reading* reading);

// True when `finder` has a ticked check box named `name`.
bool boxTicked(eWidget* finder, const char* name);
