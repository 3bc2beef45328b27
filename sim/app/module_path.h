#pragma once
// Which plug-in module the simulator loads when no --module is given.

#include <string>

// The module built with this program while it runs from its build folder; once installed,
// the module in the plug-in folder, found relative to the folder this program runs from.
std::string defaultModulePath();
