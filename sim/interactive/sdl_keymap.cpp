#include "sdl_keymap.h"

namespace {
struct RemoteKeyRow {
  SDL_Keycode key;
  eKey remoteKey;
  bool repeats;  // moving through lists by holding an arrow; never for OK, exit or colours
};

const RemoteKeyRow kRemoteKeys[] = {
    {SDLK_ESCAPE, eKey::exit, false}, {SDLK_RETURN, eKey::ok, false},
    {SDLK_KP_ENTER, eKey::ok, false}, {SDLK_UP, eKey::up, true},
    {SDLK_DOWN, eKey::down, true},    {SDLK_LEFT, eKey::left, true},
    {SDLK_RIGHT, eKey::right, true},  {SDLK_F2, eKey::green, false},
    {SDLK_g, eKey::green, false},     {SDLK_r, eKey::red, false},
    {SDLK_y, eKey::yellow, false},    {SDLK_b, eKey::blue, false},
};

struct DishKeyRow {
  SDL_Keycode key;
  int azimuthSign;
  int elevationSign;
};

const DishKeyRow kDishKeys[] = {
    {SDLK_w, 0, +1},
    {SDLK_s, 0, -1},
    {SDLK_a, -1, 0},
    {SDLK_d, +1, 0},
};
}  // namespace

KeyAction mapSdlKey(SDL_Keycode key, unsigned modifiers) {
  KeyAction action;
  for (const RemoteKeyRow& row : kRemoteKeys) {
    if (row.key != key)
      continue;
    action.isRemoteKey = true;
    action.remoteKey = row.remoteKey;
    action.repeats = row.repeats;
    return action;
  }
  if (key == SDLK_p) {
    action.resetPeak = true;
    return action;
  }
  const double step = (modifiers & KMOD_SHIFT) ? kFineDishStep : kDishStep;
  for (const DishKeyRow& row : kDishKeys) {
    if (row.key != key)
      continue;
    action.azimuthStep = row.azimuthSign * step;
    action.elevationStep = row.elevationSign * step;
    action.repeats = true;
    return action;
  }
  return action;
}
