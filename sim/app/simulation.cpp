#include "simulation.h"

#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "dump/host_windows.h"
#include "dump/state_dump.h"
#include "input/shown_text.h"
#include "profile/profile_apply.h"

HostClock::HostClock(eMainloop::Time mode) : loop(mode) {
  eApp = &loop;
}

HostClock::~HostClock() {
  if (eApp == &loop)
    eApp = nullptr;
}

Simulation::Simulation(const Profile& p, eMainloop::Time time)
    : profile(p), clock(time), skin(p.skin), model(devices, receiver, profile) {
  applyProfile(profile, receiver);
  receiver.install();
  eSkin::setActive(&skin);
  devices.audio.setPresent(profile.audioDevice);
  devices.setSleep([this](unsigned long us) {
    sleepingThreads.fetch_add(1);
    eApp->sleepUs(static_cast<int64_t>(us));
    sleepingThreads.fetch_sub(1);
  });
  eMessageBox::clearMessageBoxes();
  model.start();
}

Simulation::~Simulation() {
  // The module stays loaded: the tone thread it started may still be on its way out of
  // pthread_exit, and unmapping its code under it would crash the process at exit.
  eSkin::setActive(nullptr);
  receiver.setFrontendSource(nullptr);
  loop().setInputDriver(nullptr);
}

void Simulation::beforeTimePasses() {
  // Virtual time waits for a thread only while that thread sleeps on the clock. The tone thread
  // holds the audio device from just before it starts until it ends; while the device is open
  // and the thread is not asleep yet (starting up, or between two passes), time must not jump
  // ahead of it, or the tone would fall silent for the seconds skipped.
  if (!loop().isVirtual())
    return;
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
  while (devices.audio.openDescriptors() > 0 && sleepingThreads.load() == 0 &&
         std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  // The count rises just before the sleep registers with the clock: give it that moment.
  if (sleepingThreads.load() > 0)
    std::this_thread::sleep_for(std::chrono::microseconds(500));
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

Image Simulation::render(bool withPanel) {
  const SidePanel side = panel();
  return renderScreen(finderWindow(), visibleMessageBoxes(), withPanel ? &side : nullptr);
}

SidePanel Simulation::panel() const {
  const SignalModel::Report r = model.report();
  char line[160];
  SidePanel side;
  side.lines.push_back("Simulated dish");
  std::snprintf(line, sizeof line, "Azimuth error   %+.2f deg", model.azimuthError());
  side.lines.push_back(line);
  std::snprintf(line, sizeof line, "Elevation error %+.2f deg", model.elevationError());
  side.lines.push_back(line);
  std::snprintf(line, sizeof line, "Pointing loss   %.1f dB", r.lossDb);
  side.lines.push_back(line);
  std::snprintf(line, sizeof line, "True SNR        %.1f dB", r.snrDb);
  side.lines.push_back(line);
  side.lines.push_back(std::string("Lock            ") +
                       (r.tuning ? "tuning" : (r.locked ? "yes" : "no")));
  if (!r.hasTransponder) {
    side.lines.push_back("Tuned           nothing");
  } else if (r.transponder.satellite.valid) {
    const auto& s = r.transponder.satellite;
    std::snprintf(line, sizeof line, "Tuned           %u MHz %c %u kSym %.1f%c", s.frequency / 1000,
                  s.polarisation == 0 ? 'H' : 'V', s.symbol_rate / 1000,
                  std::abs(s.orbital_position) / 10.0, s.orbital_position < 0 ? 'W' : 'E');
    side.lines.push_back(line);
  } else if (r.transponder.terrestrial.valid) {
    std::snprintf(line, sizeof line, "Tuned           %d kHz",
                  r.transponder.terrestrial.centre_frequency / 1000);
    side.lines.push_back(line);
  } else {
    std::snprintf(line, sizeof line, "Tuned           %d kHz (cable)",
                  r.transponder.cable.frequency);
    side.lines.push_back(line);
  }
  side.lines.push_back("");
  side.lines.push_back("W/A/S/D move the dish, Shift finer");
  side.lines.push_back("Arrows, Enter, Esc, F2 or g: green");
  return side;
}

std::vector<int8_t> Simulation::heard() const {
  return devices.audio.timeline(0, eApp ? eApp->nowUs() : 0);
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
  if (!::writePng(render(false), path, &reason)) {
    *error = shownPath(path) + ": cannot write the image: " + reason;
    return false;
  }
  return true;
}
