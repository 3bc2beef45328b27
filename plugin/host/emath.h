#pragma once
// The host's sine and its translation lookup, as the plug-in calls them.

#include <libintl.h>

double SIN(double radians);
