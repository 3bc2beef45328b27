// The simulator's keyboard: remote-control keys and dish steps.

#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include "sdl_keymap.h"

namespace {
TEST(MapSdlKey, RemoteKeys) {
  struct Case {
    SDL_Keycode key;
    eKey remote;
    bool repeats;
  };
  const Case cases[] = {
      {SDLK_ESCAPE, eKey::exit, false}, {SDLK_RETURN, eKey::ok, false},
      {SDLK_KP_ENTER, eKey::ok, false}, {SDLK_UP, eKey::up, true},
      {SDLK_DOWN, eKey::down, true},    {SDLK_LEFT, eKey::left, true},
      {SDLK_RIGHT, eKey::right, true},  {SDLK_F2, eKey::green, false},
      {SDLK_g, eKey::green, false},     {SDLK_r, eKey::red, false},
      {SDLK_y, eKey::yellow, false},    {SDLK_b, eKey::blue, false},
  };
  for (const Case& c : cases) {
    for (unsigned mod : {0u, static_cast<unsigned>(KMOD_LSHIFT)}) {
      const KeyAction action = mapSdlKey(c.key, mod);
      EXPECT_TRUE(action.isRemoteKey) << SDL_GetKeyName(c.key);
      EXPECT_EQ(action.remoteKey, c.remote) << SDL_GetKeyName(c.key);
      EXPECT_EQ(action.repeats, c.repeats) << SDL_GetKeyName(c.key);
      EXPECT_EQ(action.azimuthStep, 0.0);
      EXPECT_EQ(action.elevationStep, 0.0);
    }
  }
}

TEST(MapSdlKey, DishStepsWithFineStepsUnderShift) {
  struct Case {
    SDL_Keycode key;
    unsigned mod;
    double azimuth, elevation;
  };
  const Case cases[] = {
      {SDLK_w, 0, 0, 0.1},
      {SDLK_s, 0, 0, -0.1},
      {SDLK_a, 0, -0.1, 0},
      {SDLK_d, 0, 0.1, 0},
      {SDLK_w, KMOD_LSHIFT, 0, 0.02},
      {SDLK_s, KMOD_RSHIFT, 0, -0.02},
      {SDLK_a, KMOD_LSHIFT, -0.02, 0},
      {SDLK_d, KMOD_RSHIFT, 0.02, 0},
      {SDLK_d, KMOD_CTRL, 0.1, 0},
  };
  for (const Case& c : cases) {
    const KeyAction action = mapSdlKey(c.key, c.mod);
    EXPECT_FALSE(action.isRemoteKey) << SDL_GetKeyName(c.key);
    EXPECT_TRUE(action.repeats) << SDL_GetKeyName(c.key);
    EXPECT_DOUBLE_EQ(action.azimuthStep, c.azimuth) << SDL_GetKeyName(c.key) << " mod " << c.mod;
    EXPECT_DOUBLE_EQ(action.elevationStep, c.elevation)
        << SDL_GetKeyName(c.key) << " mod " << c.mod;
  }
}

TEST(MapSdlKey, PForgetsTheBestReadingOncePerPress) {
  for (unsigned mod : {0u, static_cast<unsigned>(KMOD_LSHIFT)}) {
    const KeyAction action = mapSdlKey(SDLK_p, mod);
    EXPECT_TRUE(action.resetPeak);
    EXPECT_FALSE(action.isRemoteKey);
    EXPECT_FALSE(action.repeats);
    EXPECT_EQ(action.azimuthStep, 0.0);
  }
  EXPECT_FALSE(mapSdlKey(SDLK_d, 0).resetPeak);
}

TEST(MapSdlKey, OtherKeysDoNothing) {
  for (SDL_Keycode key : {SDLK_q, SDLK_SPACE, SDLK_F1, SDLK_1, SDLK_TAB}) {
    const KeyAction action = mapSdlKey(key, 0);
    EXPECT_FALSE(action.isRemoteKey) << SDL_GetKeyName(key);
    EXPECT_FALSE(action.resetPeak) << SDL_GetKeyName(key);
    EXPECT_EQ(action.azimuthStep, 0.0) << SDL_GetKeyName(key);
    EXPECT_EQ(action.elevationStep, 0.0) << SDL_GetKeyName(key);
  }
}
}  // namespace
