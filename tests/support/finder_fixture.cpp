#include "finder_fixture.h"

#include <algorithm>

#include "tone/tone.h"

void ScriptedInput::wait(long ms) {
  steps.push_back([ms](eMainloop& loop) { loop.advance(ms); });
}

void ScriptedInput::key(eKey k) {
  steps.push_back([k](eMainloop& loop) { loop.postKey(k); });
}

void ScriptedInput::run(std::function<void()> fn) {
  steps.push_back([fn = std::move(fn)](eMainloop&) { fn(); });
}

void ScriptedInput::idle(eMainloop& loop) {
  if (steps.empty()) {
    loop.postKey(eKey::exit);
    return;
  }
  auto step = std::move(steps.front());
  steps.pop_front();
  step(loop);
}

HostFixture::HostFixture() {
  eApp = &loop;
  loop.setInputDriver(&input);
  receiver.install();
  eSkin::setActive(nullptr);
  debuglog::keepLines(true);
  debuglog::clear();
  debuglog::setSink([](const std::string&) {});
  // The tests read back what the plug-in did on the bus and wrote to the audio device.
  devices.setRecording(true);
  eMessageBox::clearMessageBoxes();
  // The tone words are process globals; every test starts from a module just loaded.
  snr_sound = 0;
  sound_enable = 0;
  sound_run = 0;
  sound_running = 0;
}

HostFixture::~HostFixture() {
  debuglog::setSink(nullptr);
  debuglog::keepLines(false);
  receiver.uninstall();
  loop.setInputDriver(nullptr);
  if (eApp == &loop)
    eApp = nullptr;
}

std::vector<std::string> HostFixture::log() {
  return debuglog::lines();
}

bool HostFixture::logHasInOrder(const std::vector<std::string>& expected) {
  const auto lines = log();
  auto it = lines.begin();
  for (const std::string& want : expected) {
    it = std::find(it, lines.end(), want);
    if (it == lines.end())
      return false;
    ++it;
  }
  return true;
}

int HostFixture::logCount(const std::string& line) {
  const auto lines = log();
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}
