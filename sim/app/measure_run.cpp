#include "measure_run.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "panel_content.h"

namespace {
constexpr int64_t kWarmUpUs = 1500000;
constexpr int64_t kChangeEveryUs = 1000000;
// Within its second a change comes this much later than the one before, modulo a refresh
// period (the golden ratio's fraction of 250 ms): the changes fall evenly over the phase of the
// refresh timer, as a person's would, and not always at the same distance before a refresh.
constexpr double kChangePhaseStep = 0.6180339887;
constexpr double kRefreshUs = 250000;
// The last change comes at least this long before the end: a new pitch can take
// 250 ms (the next refresh) + 341.25 ms (the tone's bound) to play.
constexpr int64_t kLastChangeBeforeEndUs = 750000;

double clockMs(clockid_t clock) {
  timespec ts{};
  if (clock_gettime(clock, &ts) != 0)
    return -1.0;
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

long residentKiBNow() {
  long pages = 0;
  long resident = 0;
  FILE* statm = std::fopen("/proc/self/statm", "r");
  if (!statm)
    return 0;
  const int got = std::fscanf(statm, "%ld %ld", &pages, &resident);
  std::fclose(statm);
  return got == 2 ? resident * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

double percentOf(double cpuMs, int64_t wallUs) {
  return wallUs > 0 ? 100.0 * cpuMs / (static_cast<double>(wallUs) / 1000.0) : 0.0;
}

// Blocks of the tone for the whole run, with room to spare: 12000 samples a second in blocks
// of 1024, and a block more for every pass that writes less.
size_t toneCapacity(int64_t measuredUs) {
  const double seconds = static_cast<double>(measuredUs + kWarmUpUs) / 1e6 + 10.0;
  return static_cast<size_t>(seconds * 12000.0 / 1024.0 * 2.0) + 64;
}
}  // namespace

MeasureRun::MeasureRun(Simulation& s, double seconds)
    : simulation(s),
      measuredUs(static_cast<int64_t>(std::llround(seconds * 1e6))),
      tone(toneCapacity(measuredUs)) {
  offsetDeg = simulation.receiverProfile().signal.beamwidthDeg / 2;
  refreshes.reserve(static_cast<size_t>(measuredUs / 200000) + 64);
  simulation.onRefresh = [this](const Reading& reading, int64_t measured) {
    RefreshRecord r;
    r.measuredUs = measured;
    r.shownUs = simulation.loop().nowUs();
    r.hasStep = reading.hasSnrSound;
    r.step = reading.snrSound;
    refreshes.push_back(r);
  };
  simulation.onToneWritten = [this](int64_t writtenUs, int64_t firstSample, const int8_t* samples,
                                    size_t count) {
    tone.add(writtenUs, firstSample, samples, count);
  };
  simulation.onModuleSleep = [this] {
    if (toneClockKnown.load(std::memory_order_acquire))
      return;
    clockid_t clock;
    if (pthread_getcpuclockid(pthread_self(), &clock) == 0) {
      toneClock = clock;
      toneClockKnown.store(true, std::memory_order_release);
    }
  };
}

MeasureRun::~MeasureRun() {
  simulation.onRefresh = nullptr;
  simulation.onToneWritten = nullptr;
  simulation.onModuleSleep = nullptr;
}

void MeasureRun::moveDish(int index) {
  simulation.signalModel().setPointingError(index % 2 == 0 ? 0.0 : offsetDeg, 0.0);
}

void MeasureRun::begin(eMainloop& loop) {
  started = true;
  soundOnUs = loop.nowUs();
  if (auto* sound = dynamic_cast<eCheckbox*>(simulation.findWidget("sound"))) {
    if (!sound->isChecked())
      sound->toggle();
  }
  if (hasDish(simulation.receiverProfile()))
    moveDish(0);
  fromUs = loop.nowUs() + kWarmUpUs;
  toUs = fromUs + measuredUs;
  if (hasDish(simulation.receiverProfile())) {
    for (int k = 0;; ++k) {
      const double phase = std::fmod(k * kChangePhaseStep, 1.0) * kRefreshUs;
      const int64_t at = fromUs + k * kChangeEveryUs + static_cast<int64_t>(phase);
      if (at > toUs - kLastChangeBeforeEndUs)
        break;
      changeTimes.push_back(at);
    }
  }
  changesUs.reserve(changeTimes.size());
  framesUs.reserve(static_cast<size_t>(measuredUs / 16667) + 64);
}

void MeasureRun::startMeasuring() {
  measuring = true;
  residentKiB[0] = residentKiBNow();
  guiCpuMs[0] = clockMs(CLOCK_THREAD_CPUTIME_ID);
  processCpuMs[0] = clockMs(CLOCK_PROCESS_CPUTIME_ID);
  if (toneClockKnown.load(std::memory_order_acquire))
    toneCpuMs[0] = clockMs(toneClock);
}

void MeasureRun::finish() {
  if (measuring)
    stopMeasuring();
}

void MeasureRun::stopMeasuring() {
  measuring = false;
  ended = true;
  endUs = simulation.loop().nowUs();
  guiCpuMs[1] = clockMs(CLOCK_THREAD_CPUTIME_ID);
  processCpuMs[1] = clockMs(CLOCK_PROCESS_CPUTIME_ID);
  if (toneCpuMs[0] >= 0)
    toneCpuMs[1] = clockMs(toneClock);
  residentKiB[1] = residentKiBNow();
}

int64_t MeasureRun::act(eMainloop& loop, bool* finished) {
  if (!started)
    begin(loop);
  const int64_t now = loop.nowUs();
  if (ended) {
    *finished = true;
    return INT64_MAX;
  }
  if (!measuring && now >= fromUs)
    startMeasuring();
  while (nextChange < changeTimes.size() && now >= changeTimes[nextChange]) {
    moveDish(static_cast<int>(nextChange) + 1);
    changesUs.push_back(now);
    ++nextChange;
  }
  if (now >= toUs) {
    stopMeasuring();
    *finished = true;
    return INT64_MAX;
  }
  int64_t next = measuring ? toUs : fromUs;
  if (nextChange < changeTimes.size())
    next = std::min(next, changeTimes[nextChange]);
  return next;
}

void MeasureRun::frameShown(int64_t us) {
  framesUs.push_back(us);
}

MeasureResult MeasureRun::result(const std::string& receiver, bool window) const {
  MeasureResult r;
  r.receiver = receiver;
  r.window = window;
  const int64_t end = std::min(toUs, endUs);
  r.seconds = static_cast<double>(std::max<int64_t>(0, end - fromUs)) / 1e6;
  r.dishChanges = static_cast<int>(changesUs.size());
  r.offsetDeg = offsetDeg;
  r.refreshPeriodMs = summarize(refreshPeriodsMs(refreshes, fromUs, end));
  r.displayDelayMs = summarize(displayDelaysMs(changesUs, refreshes, framesUs));
  const Profile& profile = simulation.receiverProfile();
  if (finderMode(profile) == FinderMode::satellite && profile.audioDevice) {
    const std::vector<ToneBlocks::Block> blocks = tone.blocks();
    r.toneDelayMs = summarize(toneDelaysMs(changesUs, refreshes, blocks));
    r.pitchErrorHz = summarize(pitchErrorsHz(refreshes, blocks, fromUs, end));
    r.toneUnderruns = underruns(blocks, soundOnUs, fromUs, end);
  }
  r.frames = static_cast<unsigned long>(std::count_if(
      framesUs.begin(), framesUs.end(), [&](int64_t us) { return us >= fromUs && us < end; }));
  const int64_t wall = end - fromUs;
  r.guiCpuPercent = percentOf(guiCpuMs[1] - guiCpuMs[0], wall);
  r.processCpuPercent = percentOf(processCpuMs[1] - processCpuMs[0], wall);
  if (toneCpuMs[0] >= 0 && toneCpuMs[1] >= 0)
    r.toneCpuPercent = percentOf(toneCpuMs[1] - toneCpuMs[0], wall);
  r.residentBeforeKiB = residentKiB[0];
  r.residentAfterKiB = residentKiB[1];
  return r;
}
