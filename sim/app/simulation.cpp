#include "simulation.h"

#include <dlfcn.h>

#include <cstdio>
#include <fstream>

#include "dump/host_windows.h"
#include "dump/state_dump.h"
#include "input/shown_text.h"
#include "panel_content.h"
#include "profile/profile_apply.h"
#include "readings/finder_readout.h"
#include "readings/tone_pitch.h"
#include "signal_plot.h"
#include "window_renderer.h"

namespace {
// Where the satellite demodulators keep the noise value the tone's pitch follows from.
int noiseRegister(DemodChip chip) {
  switch (chip) {
    case DemodChip::STV0299B:
      return 0x24;
    case DemodChip::STV0288:
      return 0x2D;
    default:
      return -1;
  }
}
}  // namespace

HostClock::HostClock(eMainloop::Time mode) : loop(mode) {
  eApp = &loop;
}

HostClock::~HostClock() {
  if (eApp == &loop)
    eApp = nullptr;
}

Simulation::Simulation(const Profile& p, eMainloop::Time time)
    : profile(p),
      clock(time),
      skin(p.skin),
      model(devices, receiver, profile),
      tap(devices, model, noiseRegister(p.demodulator)) {
  applyProfile(profile, receiver);
  receiver.install();
  eSkin::setActive(&skin);
  devices.audio.setPresent(profile.audioDevice);
  eMessageBox::clearMessageBoxes();
  model.start();
  // The finder's frontend readings pass the tap on their way to the model.
  receiver.setFrontendSource(&tap);
  tap.onMeasurement = [this] { measured(); };
  tap.onAudioWritten = [this](const int8_t* samples, long accepted) {
    toneWritten(samples, accepted);
  };
  tap.onSleep = [this] {
    if (onModuleSleep)
      onModuleSleep();
  };
}

void Simulation::toneWritten(const int8_t* samples, long accepted) {
  if (!onToneWritten)
    return;
  // The device appends what it accepts to its queue: the block ends where the queue ends now.
  const int64_t now = loop().nowUs();
  const int64_t queueEnd = now * OssAudioModel::kRate / 1000000 + devices.audio.queuedBytes();
  onToneWritten(now, queueEnd - accepted, samples, static_cast<size_t>(accepted));
}

Simulation::~Simulation() {
  // The module stays loaded: the tone thread it started may still be on its way out of
  // pthread_exit, and unmapping its code under it would crash the process at exit.
  eSkin::setActive(nullptr);
  receiver.setFrontendSource(nullptr);
  loop().setInputDriver(nullptr);
}

bool Simulation::loadModule(const std::string& path, std::string* error) {
  module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module) {
    const char* reason = dlerror();
    *error = path + ": cannot load the plug-in module: " + (reason ? reason : "unknown reason");
    return false;
  }
  pluginExec = reinterpret_cast<PluginExec>(dlsym(module, "plugin_exec"));
  if (!pluginExec) {
    *error = path + ": the module has no plugin_exec";
    return false;
  }
  return true;
}

int Simulation::runPlugin(eInputDriver& driver) {
  loop().setInputDriver(&driver);
  const int result = pluginExec ? pluginExec(nullptr) : -1;
  loop().setInputDriver(nullptr);
  return result;
}

void Simulation::measured() {
  Reading reading;
  reading.timeMs = loop().nowMs();
  const SignalModel::Report r = model.report();
  reading.trueSnrDb = r.snrDb;
  reading.modelLocked = r.locked;
  reading.azimuthDeg = model.azimuthError();
  reading.elevationDeg = model.elevationError();
  if (finderMode(profile) == FinderMode::satellite) {
    reading.hasSnrSound = true;
    reading.snrSound = snrSoundForNoise(tap.noiseRead());
  }
  // The finder writes its widgets after this point of its refresh: read them once it is over.
  const int64_t measuredUs = loop().nowUs();
  loop().callLater(0, [this, reading, measuredUs] { record(reading, measuredUs); });
}

void Simulation::record(Reading reading, int64_t measuredUs) {
  eWidget* finder = finderWindow();
  readFinderWidgets(finder, &reading);
  reading.toneOn = boxTicked(finder, "sound") && devices.audio.openDescriptors() > 0;
  history.add(signalPoint(reading));
  if (hasDish(profile))
    peak.offer(shownSnr(reading), reading.azimuthDeg, reading.elevationDeg);
  if (csv.isOpen() && !csv.write(reading))
    csvFailed = true;
  if (onRefresh)
    onRefresh(reading, measuredUs);
  lastReading = std::move(reading);
}

bool Simulation::recordCsv(const std::string& path, std::string* error) {
  return csv.open(path, error);
}

Image Simulation::screen() {
  return renderScreen(finderWindow(), visibleMessageBoxes());
}

PanelView Simulation::panel() const {
  PanelInputs in;
  in.profile = &profile;
  in.model = model.report();
  in.azimuthDeg = model.azimuthError();
  in.elevationDeg = model.elevationError();
  in.finder = finderWindow();
  in.audioOpen = devices.audio.openDescriptors() > 0;
  in.history = &history;
  in.lastReading = lastReading ? &*lastReading : nullptr;
  in.peak = &peak;
  return buildPanel(in);
}

Image Simulation::window(int width, int height) {
  return renderWindow(screen(), panel(), width, height);
}

bool Simulation::writePlot(const std::string& path, std::string* error) {
  PlotOptions options;
  options.shownInPercent = finderMode(profile) == FinderMode::terrestrial;
  options.lockThresholdDb = profile.signal.lockThresholdDb;
  std::string reason;
  if (!::writePng(renderSignalPlot(history.run(), options), path, &reason)) {
    *error = path + ": cannot write the plot: " + reason;
    return false;
  }
  return true;
}

bool Simulation::recordSound(const std::string& path, std::string* error) {
  if (!wav.open(path, OssAudioModel::kRate, error))
    return false;
  devices.audio.setPlayedSink([this](const int8_t* s, size_t n) { playedSound(s, n); });
  return true;
}

void Simulation::listenToSound() {
  listening = true;
  devices.audio.setPlayedSink([this](const int8_t* s, size_t n) { playedSound(s, n); });
}

void Simulation::playedSound(const int8_t* samples, size_t count) {
  wav.append(samples, count);
  if (listening) {
    std::lock_guard<std::mutex> lock(heardMutex);
    heard.insert(heard.end(), samples, samples + count);
  }
}

std::vector<int8_t> Simulation::takeSound() {
  devices.audio.flushPlayed(loop().nowUs());
  std::lock_guard<std::mutex> lock(heardMutex);
  std::vector<int8_t> out;
  out.swap(heard);
  return out;
}

bool Simulation::finishSound(std::string* error) {
  if (!wav.isOpen())
    return true;
  devices.audio.flushPlayed(loop().nowUs());
  devices.audio.setPlayedSink(nullptr);
  return wav.close(error);
}

eWidget* Simulation::findWidget(const std::string& name) {
  if (eWidget* modal = loop().topModal()) {
    if (eWidget* found = modal->getTLW()->search(name))
      return found;
  }
  eWidget* finder = finderWindow();
  return finder ? finder->search(name) : nullptr;
}

bool Simulation::writeDump(const std::string& path, std::string* error) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out)
    out << dumpState(finderWindow(), receiver, devices, loop().nowMs()).dump(2) << "\n";
  if (!out) {
    *error = shownPath(path) + ": cannot write the dump";
    return false;
  }
  return true;
}

bool Simulation::writePng(const std::string& path, std::string* error) {
  std::string reason;
  if (!::writePng(screen(), path, &reason)) {
    *error = shownPath(path) + ": cannot write the image: " + reason;
    return false;
  }
  return true;
}

bool Simulation::writeWindowPng(const std::string& path, int width, int height,
                                std::string* error) {
  std::string reason;
  if (!::writePng(window(width, height), path, &reason)) {
    *error = shownPath(path) + ": cannot write the image: " + reason;
    return false;
  }
  return true;
}
