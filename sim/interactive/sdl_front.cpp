#include "sdl_front.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "sdl_keymap.h"

namespace {
constexpr int kToneRate = 12000;
constexpr Uint16 kAudioBufferFrames = 512;
// The tone follows the signal by ear only if it is fresh: when the simulator produces sound
// faster than it plays, older samples are dropped rather than queued up for seconds.
constexpr Uint32 kMaxQueuedBytes = kToneRate / 2;

bool fail(std::string* error, const std::string& reason) {
  if (error)
    *error = reason;
  return false;
}

bool hasText(const char* value) {
  return value && value[0] != '\0';
}
}  // namespace

SdlFront::~SdlFront() {
  close();
}

void SdlFront::close() {
  if (audioDevice_ != 0)
    SDL_CloseAudioDevice(audioDevice_);
  audioDevice_ = 0;
  if (window_)
    SDL_DestroyWindow(window_);
  window_ = nullptr;
  if (audioInitialised_)
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  audioInitialised_ = false;
  if (videoInitialised_)
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  videoInitialised_ = false;
}

bool SdlFront::open(int width, int height, std::string* error) {
  close();
  if (width <= 0 || height <= 0)
    return fail(error, "window size must be positive");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    return fail(error, SDL_GetError());
  videoInitialised_ = true;
  // On X11 the window's surface can be the X server's own shared image, updated rectangle by
  // rectangle; otherwise SDL puts it on a texture and renders the whole window at each update
  // (with software OpenGL on a virtual display). Elsewhere a texture is the only way.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && std::strcmp(driver, "x11") == 0)
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  window_ = SDL_CreateWindow("vevovuvado-sim", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             width, height, SDL_WINDOW_RESIZABLE);
  // Frames are drawn by the simulator and copied into the window's own surface, only where
  // they changed: no renderer, no texture, nothing drawn at the display's rate.
  if (!window_ || !SDL_GetWindowSurface(window_)) {
    const std::string reason = SDL_GetError();
    close();
    return fail(error, reason);
  }
  openedWidth_ = width;
  openedHeight_ = height;

  if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
    audioInitialised_ = true;
    SDL_AudioSpec want{};
    want.freq = kToneRate;
    want.format = AUDIO_S8;
    want.channels = 1;
    want.samples = kAudioBufferFrames;
    SDL_AudioSpec have{};
    audioDevice_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (audioDevice_ != 0)
      SDL_PauseAudioDevice(audioDevice_, 0);
  }
  return true;
}

void SdlFront::present(const FramePixels& frame, const std::vector<PixelRect>& changed) {
  if (!window_ || !frame.pixels)
    return;
  SDL_Surface* target = SDL_GetWindowSurface(window_);
  if (!target || target->w != frame.width || target->h != frame.height)
    return;
  const bool whole = exposed_;
  if (!whole && changed.empty())
    return;
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<uint32_t*>(frame.pixels), frame.width, frame.height, 32, frame.strideBytes,
      SDL_PIXELFORMAT_ARGB8888);
  if (!source)
    return;
  SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
  std::vector<SDL_Rect> rects;
  if (whole) {
    rects.push_back({0, 0, frame.width, frame.height});
  } else {
    for (const PixelRect& r : changed)
      rects.push_back({r.x, r.y, r.width, r.height});
  }
  for (SDL_Rect r : rects) {
    SDL_Rect to = r;
    SDL_BlitSurface(source, &r, target, &to);
  }
  SDL_FreeSurface(source);
  if (whole) {
    SDL_UpdateWindowSurface(window_);
  } else {
    SDL_UpdateWindowSurfaceRects(window_, rects.data(), static_cast<int>(rects.size()));
  }
  exposed_ = false;
}

void SdlFront::outputSize(int* width, int* height) const {
  *width = openedWidth_;
  *height = openedHeight_;
  int w = 0;
  int h = 0;
  if (window_)
    SDL_GetWindowSizeInPixels(window_, &w, &h);
  if (w > 0 && h > 0) {
    *width = w;
    *height = h;
  }
}

bool SdlFront::waitForEvent(int64_t us) {
  if (!videoInitialised_)
    return false;
  const int ms = static_cast<int>(std::min<int64_t>(us / 1000, INT32_MAX));
  return SDL_WaitEventTimeout(nullptr, ms) == 1;
}

SdlFront::Input SdlFront::poll() {
  Input input;
  if (!videoInitialised_)
    return input;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_QUIT) {
      input.quit = true;
    } else if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) {
      input.quit = true;
    } else if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) {
      exposed_ = true;
    } else if (event.type == SDL_KEYDOWN) {
      const KeyAction action = mapSdlKey(event.key.keysym.sym, event.key.keysym.mod);
      if (event.key.repeat && !action.repeats)
        continue;
      if (action.isRemoteKey)
        input.keys.push_back(action.remoteKey);
      input.resetPeak = input.resetPeak || action.resetPeak;
      input.azimuthStep += action.azimuthStep;
      input.elevationStep += action.elevationStep;
    }
  }
  return input;
}

void SdlFront::playAudio(const std::vector<int8_t>& samples) {
  if (audioDevice_ == 0 || samples.empty())
    return;
  const Uint32 bytes = static_cast<Uint32>(samples.size());
  if (SDL_GetQueuedAudioSize(audioDevice_) + bytes > kMaxQueuedBytes)
    SDL_ClearQueuedAudio(audioDevice_);
  SDL_QueueAudio(audioDevice_, samples.data(), bytes);
}

bool SdlFront::displayAvailable() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (driver && std::strcmp(driver, "dummy") == 0)
    return false;
  if (!hasText(std::getenv("DISPLAY")) && !hasText(std::getenv("WAYLAND_DISPLAY")))
    return false;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    return false;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return true;
}
