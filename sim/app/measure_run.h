#pragma once
// The measurement mode (--measure SECONDS): the finder runs in real time while the dish moves
// on a fixed schedule, and this records what happens (refreshes, frames, the blocks the tone
// thread writes, CPU and memory) and works the figures out afterwards.
//
// The run: at the first idle turn it ticks "Sound" (satellite receivers) and points the dish
// at the satellite; after a warm-up of 1.5 s (tuning, lock, the tone's queue filling, the
// first frames) the measured stretch of SECONDS begins, in which the dish goes to half the
// beamwidth east of the satellite and back once a second (at a moment in the second that
// moves on by 0.618 of a refresh period each time, and none in the last 0.75 s, so the tone of
// the last change is heard). Then it closes the finder. Resident memory is taken as the
// measured stretch begins and as it ends.

#include <pthread.h>
#include <time.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "interactive_driver.h"
#include "measure/measure_analysis.h"
#include "measure/measure_report.h"
#include "measure/tone_blocks.h"
#include "simulation.h"

class MeasureRun : public DriverScenario {
 public:
  // `seconds`: the measured stretch, 1 to 3600.
  MeasureRun(Simulation& simulation, double seconds);
  ~MeasureRun() override;
  MeasureRun(const MeasureRun&) = delete;
  MeasureRun& operator=(const MeasureRun&) = delete;

  int64_t act(eMainloop& loop, bool* finished) override;
  void frameShown(int64_t us) override;

  // True once the measured stretch was over (the run was not cut short).
  bool complete() const { return ended && endUs >= toUs; }
  // Ends a run that was cut short (the window closed): CPU and memory as they are now.
  void finish();
  // The figures, once the finder has closed.
  MeasureResult result(const std::string& receiver, bool window) const;

 private:
  void begin(eMainloop& loop);
  void startMeasuring();
  void stopMeasuring();
  void moveDish(int index);

  Simulation& simulation;
  const int64_t measuredUs;
  double offsetDeg = 1.0;
  bool started = false;
  bool measuring = false;
  bool ended = false;
  int64_t soundOnUs = 0;  // when "Sound" was ticked
  int64_t fromUs = 0;     // the measured stretch
  int64_t toUs = 0;
  int64_t endUs = 0;                 // when measuring stopped
  std::vector<int64_t> changeTimes;  // planned, in loop time
  size_t nextChange = 0;

  std::vector<RefreshRecord> refreshes;
  std::vector<int64_t> changesUs;
  std::vector<int64_t> framesUs;
  ToneBlocks tone;

  // The tone thread's CPU clock, known from its first sleep.
  std::atomic<bool> toneClockKnown{false};
  clockid_t toneClock{};
  double guiCpuMs[2] = {0, 0};
  double toneCpuMs[2] = {-1, -1};
  double processCpuMs[2] = {0, 0};
  long residentKiB[2] = {0, 0};  // at the start and the end of the measured stretch
};
