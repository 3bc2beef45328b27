#include "interactive_driver.h"

#include <atomic>

namespace {
std::atomic<bool> quitRequested{false};
constexpr long kFrameMs = 16;
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
  if (input.azimuthStep != 0 || input.elevationStep != 0) {
    SignalModel& model = simulation.signalModel();
    model.setPointingError(model.azimuthError() + input.azimuthStep,
                           model.elevationError() + input.elevationStep);
  }
  loop.advance(kFrameMs);
  front.present(simulation.render(true));
  if (keepScreen)
    screen = simulation.render(false);
  front.playAudio(simulation.takeSound());
}
