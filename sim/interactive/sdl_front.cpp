#include "sdl_front.h"

#include <SDL.h>

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
  if (texture_)
    SDL_DestroyTexture(texture_);
  texture_ = nullptr;
  textureWidth_ = textureHeight_ = 0;
  if (renderer_)
    SDL_DestroyRenderer(renderer_);
  renderer_ = nullptr;
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
  window_ = SDL_CreateWindow("vevovuvado-sim", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             width, height, SDL_WINDOW_RESIZABLE);
  // Presenting in step with the display paces an interactive session at the display's rate;
  // a display that cannot synchronise still gets a window.
  if (window_)
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_PRESENTVSYNC);
  if (window_ && !renderer_)
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (!renderer_) {
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

void SdlFront::present(const Image& image) {
  if (!renderer_ || image.width <= 0 || image.height <= 0 ||
      image.argb.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
    return;
  if (!texture_ || textureWidth_ != image.width || textureHeight_ != image.height) {
    if (texture_)
      SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                 image.width, image.height);
    textureWidth_ = texture_ ? image.width : 0;
    textureHeight_ = texture_ ? image.height : 0;
    if (!texture_)
      return;
  }
  SDL_UpdateTexture(texture_, nullptr, image.argb.data(),
                    image.width * static_cast<int>(sizeof(uint32_t)));
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

void SdlFront::outputSize(int* width, int* height) const {
  *width = openedWidth_;
  *height = openedHeight_;
  int w = 0;
  int h = 0;
  if (renderer_ && SDL_GetRendererOutputSize(renderer_, &w, &h) == 0 && w > 0 && h > 0) {
    *width = w;
    *height = h;
  }
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
