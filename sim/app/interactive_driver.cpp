#include "interactive_driver.h"

#include <atomic>

#include "panel_content.h"
#include "window_renderer.h"

namespace {
std::atomic<bool> quitRequested{false};
constexpr long kFrameMs = 16;
// The host keeps every log line for tests; a long session only needs the file.
constexpr unsigned kFramesBetweenLogTrims = 3600;
}  // namespace

void InteractiveDriver::requestQuit() {
  quitRequested.store(true);
}

InteractiveDriver::InteractiveDriver(SdlFront& f, Simulation& s) : front(f), simulation(s) {}

void InteractiveDriver::idle(eMainloop& loop) {
  const SdlFront::Input input = front.poll();
  // Closing the desktop window closes the finder as the exit key does, message boxes first.
  quitting = quitting || input.quit || quitRequested.load();
  if (quitting) {
    loop.postKey(eKey::exit);
    return;
  }
  for (eKey key : input.keys)
    loop.postKey(key);
  // A receiver without a dish (cable) has nothing for the dish keys to move.
  const bool dish = hasDish(simulation.receiverProfile());
  if (dish && (input.azimuthStep != 0 || input.elevationStep != 0)) {
    SignalModel& model = simulation.signalModel();
    model.setPointingError(model.azimuthError() + input.azimuthStep,
                           model.elevationError() + input.elevationStep);
  }
  if (dish && input.resetPeak)
    simulation.resetPeak();
  loop.advance(kFrameMs);
  const Image shown = simulation.screen();
  int width = 0;
  int height = 0;
  front.outputSize(&width, &height);
  front.present(renderWindow(shown, simulation.panel(), width, height));
  if (keepScreen)
    screen = shown;
  const int64_t now = loop.nowUs();
  front.playAudio(simulation.deviceModels().audio.timeline(playedUntilUs, now));
  playedUntilUs = now;
  if (++frames % kFramesBetweenLogTrims == 0)
    debuglog::clear();
}
