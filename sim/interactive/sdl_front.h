#pragma once
// The simulator's desktop window: shows the frames the simulator draws (only the parts that
// changed), turns the keyboard into remote-control keys and dish movements, and plays the tone
// the plug-in writes.

#include <cstdint>
#include <string>
#include <vector>

#include "ekey.h"
#include "window_canvas.h"

struct SDL_Window;

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

  // Shows the rectangles `changed` of `frame` (the rest of the window keeps what it showed);
  // the whole frame when the window asked to be painted again (it was uncovered, say). The
  // frame is drawn at outputSize(); one of another size (a resize under way) is not shown.
  void present(const FramePixels& frame, const std::vector<PixelRect>& changed);
  // True when the window system asked for the whole window again since the last present().
  bool wantsWholeFrame() const { return exposed_; }
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
  // Waits at most `us` microseconds (in whole milliseconds) for a desktop event; true as soon
  // as one is pending (poll() takes it), false when the time passed without.
  bool waitForEvent(int64_t us);

  // Queues signed 8-bit samples for playing.
  void playAudio(const std::vector<int8_t>& samples);

  // True when a desktop display can be opened here.
  static bool displayAvailable();

 private:
  void close();

  bool videoInitialised_ = false;
  bool audioInitialised_ = false;
  SDL_Window* window_ = nullptr;
  int openedWidth_ = 0;
  int openedHeight_ = 0;
  bool exposed_ = false;  // the window system asked for the whole window again
  uint32_t audioDevice_ = 0;
};
