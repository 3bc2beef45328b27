#pragma once
// The simulator's desktop window: shows rendered screens, turns the keyboard into remote-control
// keys and dish movements, and plays the tone the plug-in writes.

#include <cstdint>
#include <string>
#include <vector>

#include "ekey.h"
#include "screen_renderer.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

class SdlFront {
 public:
  SdlFront() = default;
  SdlFront(const SdlFront&) = delete;
  SdlFront& operator=(const SdlFront&) = delete;
  ~SdlFront();

  // Opens a window of width x height pixels and an audio device for signed 8-bit mono at
  // 12000 Hz. False, with the reason in *error (when given), when no window can be opened.
  // A missing audio device is not an error: hasAudio() then stays false and playAudio() drops
  // its samples.
  bool open(int width, int height, std::string* error);
  bool hasAudio() const { return audioDevice_ != 0; }

  // Shows `image`, scaled to the window when their sizes differ.
  void present(const Image& image);
  // The window's drawable size in pixels now (it changes when a person resizes the window);
  // the size it was opened with before the window is open.
  void outputSize(int* width, int* height) const;

  struct Input {
    std::vector<eKey> keys;
    double azimuthStep = 0;    // degrees, positive turns the dish east (D)
    double elevationStep = 0;  // degrees, positive tilts it up (W)
    bool quit = false;         // the window was closed
    bool resetPeak = false;    // P: forget the panel's best reading
  };
  // Takes every pending desktop event without waiting.
  Input poll();

  // Queues signed 8-bit samples for playing.
  void playAudio(const std::vector<int8_t>& samples);

  // True when a desktop display can be opened here.
  static bool displayAvailable();

 private:
  void close();

  bool videoInitialised_ = false;
  bool audioInitialised_ = false;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int openedWidth_ = 0;
  int openedHeight_ = 0;
  int textureWidth_ = 0;
  int textureHeight_ = 0;
  uint32_t audioDevice_ = 0;
};
