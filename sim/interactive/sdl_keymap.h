#pragma once
// What a desktop key means to the simulator: a remote-control key, or a step of the simulated
// dish. A pure table lookup, kept apart from the window so it can be checked without a display.

#include <SDL_keycode.h>

#include "ekey.h"

// Dish steps in degrees per key press.
constexpr double kDishStep = 0.1;
constexpr double kFineDishStep = 0.02;  // with Shift held

struct KeyAction {
  bool isRemoteKey = false;  // `remoteKey` is set
  eKey remoteKey = eKey::exit;
  double azimuthStep = 0;    // degrees, positive east
  double elevationStep = 0;  // degrees, positive up
  bool repeats = false;      // also acts on the auto-repeat of a held key
  bool resetPeak = false;    // forget the panel's best reading
};

// The action for `key` with the modifier bits `modifiers` (SDL_Keymod). Keys without a
// meaning give an action that does nothing.
KeyAction mapSdlKey(SDL_Keycode key, unsigned modifiers);
