#include "readings_history.h"

#include "tone_pitch.h"

SignalPoint signalPoint(const Reading& r) {
  SignalPoint p;
  p.timeMs = static_cast<double>(r.timeMs);
  p.shown = shownSnr(r);
  p.trueSnrDb = r.trueSnrDb;
  // The lock the finder shows; a window without the box has the model's.
  p.locked = r.lock == BoxState::absent ? r.modelLocked : r.lock == BoxState::ticked;
  p.pitchHz = r.toneOn && r.hasSnrSound ? pitchHz(r.snrSound) : std::nan("");
  p.azimuthDeg = r.azimuthDeg;
  p.elevationDeg = r.elevationDeg;
  return p;
}

void ReadingsHistory::add(const SignalPoint& point) {
  lastMinute.push_back(point);
  while (!lastMinute.empty() && lastMinute.front().timeMs < point.timeMs - kRecentMs)
    lastMinute.pop_front();

  if (++skipped < stride)
    return;
  skipped = 0;
  whole.push_back(point);
  if (whole.size() < kRunPoints)
    return;
  size_t kept = 0;
  for (size_t i = 0; i < whole.size(); i += 2)
    whole[kept++] = whole[i];
  whole.resize(kept);
  // The point just added went with every other one: the next to keep is one old stride on.
  skipped = stride;
  stride *= 2;
}
