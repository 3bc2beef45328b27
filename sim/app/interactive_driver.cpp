#include "interactive_driver.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>

#include "panel_content.h"
#include "window_layout.h"

namespace {
std::atomic<bool> quitRequested{false};
// At most one frame per 60 Hz display frame, however fast things change.
constexpr int64_t kFrameUs = 16667;
// A frame is not begun when a timer falls due before it would likely be over (twice the last
// frame's time, within these bounds): the timer, say the finder's refresh, would wait for it.
// The frame comes right after the timer instead, and shows what the timer changed as well.
constexpr int64_t kFrameGuardMinUs = 2000;
constexpr int64_t kFrameGuardMaxUs = 16667;
// Ctrl-C in the terminal only sets a flag; a wait ends this often to look at it.
constexpr int64_t kQuitCheckUs = 100000;
// While the tone thread holds the audio device, what it played goes to the loudspeaker this
// often (the sound output queues half a second at most).
constexpr int64_t kAudioHandOverUs = 20000;
// Steps of 0.1 and 0.02 degrees add up with rounding errors; keep the dish on their grid, so
// forty steps west from 4 degrees are exactly 0 again.
double onDishGrid(double degrees) {
  return std::round(degrees * 1000) / 1000 + 0.0;
}
}  // namespace

void InteractiveDriver::requestQuit() {
  quitRequested.store(true);
}

InteractiveDriver::InteractiveDriver(SdlFront* f, Simulation& s) : front(f), simulation(s) {}

bool InteractiveDriver::waitForInput(int64_t us) {
  // Without a window there is no input to wait for: the main loop sleeps to its time at once.
  return front && front->waitForEvent(us);
}

bool InteractiveDriver::take(const SdlFront::Input& input) {
  for (eKey key : input.keys)
    simulation.loop().postKey(key);
  // A receiver without a dish (cable) has nothing for the dish keys to move.
  const bool dish = hasDish(simulation.receiverProfile());
  if (dish && (input.azimuthStep != 0 || input.elevationStep != 0)) {
    SignalModel& model = simulation.signalModel();
    model.setPointingError(onDishGrid(model.azimuthError() + input.azimuthStep),
                           onDishGrid(model.elevationError() + input.elevationStep));
  }
  if (dish && input.resetPeak)
    simulation.resetPeak();
  return !input.keys.empty();
}

bool InteractiveDriver::showFrame(eMainloop& loop) {
  int width = kDefaultWindowWidth;
  int height = kDefaultWindowHeight;
  if (front)
    front->outputSize(&width, &height);
  const bool whole = front && front->wantsWholeFrame();
  if (!frames.stale(simulation, width, height) && !whole)
    return true;
  const int64_t now = loop.nowUs();
  if (now < nextFrameUs)
    return false;
  const int64_t guard = std::clamp(2 * lastFrameUs, kFrameGuardMinUs, kFrameGuardMaxUs);
  const int64_t due = loop.nextDueUs();
  if (due - now < guard) {
    nextFrameUs = due;
    return false;
  }
  const std::vector<PixelRect>& changed = frames.draw(simulation, width, height);
  if (front)
    front->present(frames.canvas().frame(), changed);
  lastFrameUs = loop.nowUs() - now;
  nextFrameUs = now + kFrameUs;
  if (scenario)
    scenario->frameShown(loop.nowUs());
  return true;
}

void InteractiveDriver::handAudioOver(eMainloop& loop) {
  if (!front || !front->hasAudio())
    return;
  playedUntilUs = loop.nowUs();
  front->playAudio(simulation.takeSound());
}

void InteractiveDriver::idle(eMainloop& loop) {
  const SdlFront::Input input = front ? front->poll() : SdlFront::Input{};
  bool finished = false;
  const int64_t scenarioWakeUs = scenario ? scenario->act(loop, &finished) : INT64_MAX;
  // Closing the desktop window closes the finder as the exit key does, message boxes first.
  quitting = quitting || input.quit || quitRequested.load() || finished;
  if (quitting) {
    loop.postKey(eKey::exit);
    return;
  }
  // Keys first: the frame after them shows what they did.
  if (!scenario && take(input))
    return;
  const bool frameHeldBack = !showFrame(loop);
  handAudioOver(loop);
  const int64_t now = loop.nowUs();
  int64_t until = std::min(now + kQuitCheckUs, scenarioWakeUs);
  if (frameHeldBack)
    until = std::min(until, nextFrameUs);
  if (front && front->hasAudio() && simulation.deviceModels().audio.openDescriptors() > 0)
    until = std::min(until, playedUntilUs + kAudioHandOverUs);
  loop.waitForWork(until);
}
