#pragma once
// The simulator's state as JSON: the finder window and its widgets in creation order, the
// message boxes shown, and what the receiver and its devices went through.

#include <nlohmann/json.hpp>

#include "host/host.h"
#include "host/receiver.h"
#include "simulated_devices.h"

// "none" before the audio device was ever opened, "running" while it is open, "ended" once
// opened and closed again: the tone thread holds the device for its whole life.
const char* toneThreadState(const OssAudioModel& audio);

// `finder` may be nullptr (no window yet, or no more): "window" is null and "widgets" empty.
nlohmann::json dumpState(eWidget* finder, const StandInReceiver& receiver,
                         const SimulatedDevices& devices, int64_t timeMs);
