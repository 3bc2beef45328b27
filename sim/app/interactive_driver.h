#pragma once
// The desktop front end as the host's input driver. At every idle turn of a modal loop it takes
// the desktop's keys and moves the dish, draws a frame when something visible changed (at most
// one per display frame, and none that a timer would have to wait for) and presents the pixels
// that changed, hands the samples played meanwhile to the sound output, and then lets the main
// loop sleep until the next timer, the next frame it holds back, or the next desktop event.
// Without a window (headless) it draws the same frames and shows none.

#include <cstdint>

#include "host/host.h"
#include "sdl_front.h"
#include "simulation.h"
#include "window_frames.h"

// Acts on the simulation on its own schedule while the driver runs the finder: the
// measurement mode moves the dish so.
class DriverScenario {
 public:
  virtual ~DriverScenario() = default;
  // Called at every idle turn before anything else. Acts when due and returns the loop time
  // (microseconds) at which it wants to be called again; sets *finished when it is done, and
  // the driver then closes the finder.
  virtual int64_t act(eMainloop& loop, bool* finished) = 0;
  // A frame showing the widgets and the panel as they are now was drawn, and presented when
  // there is a window, at loop time `us`.
  virtual void frameShown(int64_t us) = 0;
};

class InteractiveDriver : public eInputDriver {
 public:
  // Asks the driver to close the finder as the window's close button does; safe to call from
  // a signal handler (Ctrl-C in the terminal).
  static void requestQuit();

  // `front`: the open desktop window, or nullptr to run without one.
  InteractiveDriver(SdlFront* front, Simulation& simulation);
  // From now on `scenario` acts on the simulation, and of the keys only closing the window
  // does anything.
  void setScenario(DriverScenario* s) { scenario = s; }

  void idle(eMainloop& loop) override;
  bool waitForInput(int64_t us) override;

  // The receiver's screen as the last frame showed it.
  Image lastScreen() const { return frames.screenImage(); }
  // Frames drawn so far that changed any pixel.
  unsigned long framesDrawn() const { return frames.framesDrawn(); }

 private:
  // Posts the keys and moves the dish; true when keys were posted.
  bool take(const SdlFront::Input& input);
  // Draws and presents a frame when one is due; false when a changed frame is held back
  // until nextFrameUs.
  bool showFrame(eMainloop& loop);
  void handAudioOver(eMainloop& loop);

  SdlFront* front;
  Simulation& simulation;
  WindowFrames frames;
  DriverScenario* scenario = nullptr;
  int64_t playedUntilUs = 0;
  int64_t nextFrameUs = 0;
  int64_t lastFrameUs = 0;  // how long the last frame took to draw and present
  bool quitting = false;
};
