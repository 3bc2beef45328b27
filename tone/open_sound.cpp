// Opening the audio device and starting the tone thread, and the "Sound" box's slot. Both run
// on the GUI thread.

#include <fcntl.h>

#include <cstring>

#include "plugin/my_ebeamseek.h"
#include "seam/device_requests.h"
#include "seam/device_seam.h"
#include "tone.h"

namespace {
constexpr int kFormatSigned8 = 64;  // AFMT_S8
constexpr int kChannels = 1;
constexpr int kSampleRate = 12000;
constexpr int kClearedBytes = 2000;

// The device keeps what it can of a setting it refuses; the tone plays either way.
void configureDevice(int fd) {
  int format = kFormatSigned8;
  devices().ioctl(fd, kDspSetFmt, &format);
  int channels = kChannels;
  devices().ioctl(fd, kDspChannels, &channels);
  int speed = kSampleRate;
  devices().ioctl(fd, kDspSpeed, &speed);
}

// A block of silence, played out before the window shows, so the device starts from rest.
void playSilence(int fd) {
  devices().write(fd, wavebuffer, kBlockSamples);
  devices().ioctl(fd, kDspSync, nullptr);
}
}  // namespace

void my_eBeamseek::OpenSound() {
  eDebug("void\tmy_eBeamseek::OpenSound( void )");
  sound_fd = devices().open(devpath::kAudio, O_WRONLY | O_NONBLOCK);
  if (sound_fd == -1) {
    eDebug("kein Sounddevice");
    return;
  }
  eDebug("Sound_fd %d", sound_fd);
  configureDevice(sound_fd);

  size = kClearedBytes;
  sound_thread = 0;
  std::memset(wavebuffer, 0, static_cast<size_t>(size));

  sound_run.store(1, std::memory_order_relaxed);
  sound_enable.store(0, std::memory_order_relaxed);
  const int created = toneThreadCreate(&sound_thread, nullptr, VevovuvadoSoundThread, nullptr);
  eDebug("create VevovuvadoThread: %d", created);
  if (created != 0)
    sound_thread = 0;  // nothing to join

  // The thread leaves wavebuffer alone while sound_enable is 0, and only this thread sets it.
  playSilence(sound_fd);

  if (created != 0) {
    // Without a thread nobody else would ever close the device.
    devices().close(sound_fd);
    sound_fd = -1;
  }
}

void my_eBeamseek::SoundOnOff(int) {
  // The box's state, not the signal's argument, decides: they can only differ if someone set the
  // box without a signal, and then the box is what the user sees.
  const int enable = (soundBox && soundBox->isChecked()) ? 1 : 0;
  sound_enable.store(enable, std::memory_order_relaxed);
  eDebug("sound %d", enable);
}
