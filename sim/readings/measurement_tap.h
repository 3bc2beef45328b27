#pragma once
// Sees each refresh of the finder as it happens. It sits between the plug-in's device seam and
// the device models, and between the receiver's frontend readings and the signal model, passes
// everything through unchanged, and tells when the finder measures:
//  - satellite mode: when the finder opens the frontend device for its frequency query, which
//    each refresh does once, after its register reads (the open counts even when it fails);
//  - terrestrial mode: when the finder asks the frontend for its SNR, first in each refresh.
// It also keeps the noise value the finder read from the satellite demodulator in the refresh
// under way, since the tone's pitch follows from it, and shows the blocks written to the audio
// device and the sleeps of the module's threads to whoever asks.

#include <cstdint>
#include <functional>
#include <mutex>

#include "host/edvb.h"
#include "seam/device_seam.h"

class MeasurementTap : public DeviceSeam, public eFrontendSource {
 public:
  // `noiseRegister`: where the demodulator at 0x68 keeps its 16-bit noise value (-1: none).
  MeasurementTap(DeviceSeam& devices, eFrontendSource& frontend, int noiseRegister);

  // Called on the GUI thread, inside the finder's refresh, at each measurement.
  std::function<void()> onMeasurement;
  // The noise value the finder read since the last measurement: -1 when that read failed or
  // was not made, as the finder's reader reports it then.
  int noiseRead() const;
  // Called after every write to the audio device that the device accepted (`accepted` bytes
  // from `samples`), on the writing thread (the tone thread; OpenSound's first block on the GUI
  // thread). Set it before the plug-in runs.
  std::function<void(const int8_t* samples, long accepted)> onAudioWritten;
  // Called on a thread just before it sleeps through the seam (the tone thread's passes). Set
  // it before the plug-in runs.
  std::function<void()> onSleep;

  // DeviceSeam: passed through.
  int open(const char* path, int flags) override;
  int close(int fd) override;
  ssize_t read(int fd, void* buf, size_t count) override;
  ssize_t write(int fd, const void* buf, size_t count) override;
  int ioctl(int fd, unsigned long request, void* arg) override;
  void sleepMicroseconds(unsigned long us) override;
  int createThread(pthread_t* thread, const pthread_attr_t* attr, void* (*entry)(void*),
                   void* arg) override;
  void beforeBusyWait() override;

  // eFrontendSource: passed through.
  int snr() override;
  int signalStrength() override;
  int ber() override;
  unsigned status() override;

 private:
  void measured();

  DeviceSeam& inner;
  eFrontendSource& frontend;
  const int noiseRegister;
  // The I2C descriptor open now (the finder opens one at a time), its device and register.
  mutable std::mutex mutex;
  int busFd = -1;
  int audioFd = -1;
  long busAddress = -1;
  int busRegister = -1;
  int noise = -1;
};
