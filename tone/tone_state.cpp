#include "tone.h"

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

ToneThreadCreator toneThreadCreate = pthread_create;

void joinSoundThread() {
  if (sound_thread == 0)
    return;
  pthread_join(sound_thread, nullptr);
  sound_thread = 0;
}
