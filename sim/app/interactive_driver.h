#pragma once
// The desktop front end as the host's input driver: every idle call of a modal loop takes the
// desktop's keys, moves the dish, lets one frame of real time pass, shows the screen with the
// panel at the window's size and hands the samples played meanwhile to the sound output.

#include "host/host.h"
#include "sdl_front.h"
#include "simulation.h"

class InteractiveDriver : public eInputDriver {
 public:
  // Asks the driver to close the finder as the window's close button does; safe to call from
  // a signal handler (Ctrl-C in the terminal).
  static void requestQuit();

  InteractiveDriver(SdlFront& front, Simulation& simulation);
  void idle(eMainloop& loop) override;

  // Keeps the screen without the panel as it was at the last frame.
  void keepLastScreen() { keepScreen = true; }
  const Image& lastScreen() const { return screen; }

 private:
  SdlFront& front;
  Simulation& simulation;
  bool quitting = false;
  bool keepScreen = false;
  Image screen;
};
