#include "interactive_driver.h"

#include <atomic>
#include <cmath>

#include "panel_content.h"
#include "window_renderer.h"

namespace {
std::atomic<bool> quitRequested{false};
constexpr long kFrameMs = 16;
// Steps of 0.1 and 0.02 degrees add up with rounding errors; keep the dish on their grid, so
// forty steps west from 4 degrees are exactly 0 again.
double onDishGrid(double degrees) {
  return std::round(degrees * 1000) / 1000 + 0.0;
}
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
    model.setPointingError(onDishGrid(model.azimuthError() + input.azimuthStep),
                           onDishGrid(model.elevationError() + input.elevationStep));
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
  front.playAudio(simulation.takeSound());
}
