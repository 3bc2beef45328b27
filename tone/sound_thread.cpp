// The tone thread: keeps the audio device fed with 1024-sample blocks of a sine whose phase step
// is snr_sound, one pass every 50 ms. It shares only the atomic words with the GUI thread and
// touches no widget; its device access and its sleeps go through the device seam.

#include "host/edebug.h"
#include "seam/device_requests.h"
#include "seam/device_seam.h"
#include "tone.h"

namespace {
constexpr unsigned long kPassUs = 50000;
// Never queue a block behind more than this (about 170 ms of sound): the pitch must follow the
// dish, not lag behind it.
constexpr int kMaxQueuedBytes = 2047;
// Taken as the depth when the device does not answer: such a pass writes nothing.
constexpr int kUnknownDepth = 5000;

bool running() {
  return sound_run.load(std::memory_order_relaxed) == 1;
}
bool enabled() {
  return sound_enable.load(std::memory_order_relaxed) == 1;
}

bool deviceHasRoom() {
  int depth = kUnknownDepth;
  devices().ioctl(sound_fd, kDspGetODelay, &depth);
  return depth <= kMaxQueuedBytes;
}

void writeBlock() {
  const long written = static_cast<long>(devices().write(sound_fd, wavebuffer, kBlockSamples));
  // Samples the device refused are dropped; the next block goes on from the last one it took.
  wave_phase = phasebuffer[resumeIndex(written)];
}

void fillBlock() {
  for (int i = 0; i < kBlockSamples; ++i) {
    // Read per sample, so a new pitch takes effect mid-block.
    wave_phase = nextPhase(wave_phase, snr_sound.load(std::memory_order_relaxed));
    phasebuffer[i] = wave_phase;
    wavebuffer[i] = sinwave[wave_phase];
  }
}

void playOnePass() {
  devices().sleepMicroseconds(kPassUs);
  if (!deviceHasRoom())
    return;
  writeBlock();
  fillBlock();
}
}  // namespace

void* VevovuvadoSoundThread(void*) {
  eDebug("Sound_fd2 %d", sound_fd);
  sound_running.store(1, std::memory_order_relaxed);
  eDebug("Starte VevovuvadoSoundThread");

  while (running()) {
    if (enabled()) {
      playOnePass();
    } else {
      devices().sleepMicroseconds(kPassUs);
    }
  }

  eDebug("beende VevovuvadoSoundThread");
  devices().close(sound_fd);
  // Last: the destructor goes on once this reads 0, and the device must be closed by then.
  sound_running.store(0, std::memory_order_relaxed);
  pthread_exit(nullptr);
}
