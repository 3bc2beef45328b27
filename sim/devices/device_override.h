#pragma once
// The other side of the plug-in's device seam: which seam the plug-in's devices() uses in this
// process. Linking this library defines vevovuvado_device_override(), so the plug-in code linked
// into a test and a module loaded with dlopen both see what is installed here.

#include "seam/device_seam.h"

// Puts `seam` behind the plug-in's devices() and returns what was installed before (nullptr
// when it was the system calls); nullptr restores the system calls. The caller keeps ownership
// and must keep the object alive while it is installed. Safe from any thread.
DeviceSeam* installDevices(DeviceSeam* seam);
