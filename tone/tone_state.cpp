#include "tone.h"

#include "seam/device_seam.h"

signed char wavebuffer[kToneBufferSize];
int phasebuffer[kToneBufferSize];
int wave_phase = 0;
std::atomic<int> snr_sound{0};
std::atomic<int> sound_enable{0};
std::atomic<int> sound_run{0};
std::atomic<int> sound_running{0};
int sound_fd = 0;
int size = 0;
pthread_t sound_thread = 0;

namespace {
// Like every contact of the module with the system, the thread's start goes through the seam.
int createThroughSeam(pthread_t* thread, const pthread_attr_t* attr, void* (*entry)(void*),
                      void* arg) {
  return devices().createThread(thread, attr, entry, arg);
}
}  // namespace

ToneThreadCreator toneThreadCreate = createThroughSeam;

void joinSoundThread() {
  if (sound_thread == 0)
    return;
  pthread_join(sound_thread, nullptr);
  sound_thread = 0;
}
