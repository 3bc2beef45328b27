#pragma once
// What the simulator's panel says, built from the simulated receiver and the readings: a plain
// value (see render/panel_view.h) made fresh for each frame, true to the finder's mode. A dish
// (or antenna), its keys, the lock and the tone appear only where the receiver has them.

#include <string>

#include "host/host.h"
#include "panel_view.h"
#include "profile/profile.h"
#include "readings/peak_hold.h"
#include "readings/reading.h"
#include "readings/readings_history.h"
#include "signal_model/signal_model.h"

// The finder's mode, as it chooses it from the frontend's type.
enum class FinderMode { satellite, terrestrial, none };
FinderMode finderMode(const Profile& profile);
// Whether the receiver has something to point (a dish, or a terrestrial antenna).
bool hasDish(const Profile& profile);
// The unit of the SNR the finder shows: "dB" on a satellite receiver, "%" on a terrestrial one.
std::string shownSnrUnit(const Profile& profile);

struct PanelInputs {
  const Profile* profile = nullptr;
  SignalModel::Report model;
  double azimuthDeg = 0;
  double elevationDeg = 0;
  eWidget* finder = nullptr;  // nullptr before the finder is built
  bool audioOpen = false;     // the tone thread holds the audio device
  const ReadingsHistory* history = nullptr;
  const Reading* lastReading = nullptr;  // nullptr before the first refresh
  const PeakHold* peak = nullptr;
};

PanelView buildPanel(const PanelInputs& in);
