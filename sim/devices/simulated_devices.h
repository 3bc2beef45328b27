#pragma once
// The device seam with device models behind the receiver's device paths: the I2C bus, the DVB
// frontend and the OSS audio device. Tests and the simulator install it with
// installDevices(&models); descriptors are counted per device so a test can prove that
// nothing leaks.
//
// Time: on a host main loop with virtual time, the module's threads start and sleep on that
// loop's clock with its exact hand-off (emainloop.h): createThread() registers the thread
// before it runs and returns once it sleeps, so its start-up lines always come out at the
// same place, and beforeBusyWait() lets the clock run on for it under the destructor's poll.

#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "device_override.h"
#include "frontend_device_model.h"
#include "i2c_bus_model.h"
#include "oss_audio_model.h"

class SimulatedDevices : public DeviceSeam {
 public:
  SimulatedDevices();
  ~SimulatedDevices() override;

  I2cBusModel i2c;
  FrontendDeviceModel frontend;
  OssAudioModel audio;

  // Descriptors open now on all devices.
  int openDescriptors() const;
  // Recording of the I2C transfers and of every audio block and write (see the models); off
  // by default, so a long run keeps nothing it was not asked for.
  void setRecording(bool on);
  // How sleeps are served; by default the host main loop's sleep (virtual time aware), or a
  // real sleep when there is no main loop. Threads started while another sleeper is set are
  // not registered with the main loop.
  void setSleep(std::function<void(unsigned long us)> sleeper);
  // Sleep calls seen (the tone thread's passes).
  int sleeps() const { return sleepCount.load(); }

  // Installs this seam (or one that passes calls on to it) for the lifetime of the guard.
  class Installed {
   public:
    explicit Installed(DeviceSeam& d) : previous(installDevices(&d)) {}
    ~Installed() { installDevices(previous); }
    Installed(const Installed&) = delete;
    Installed& operator=(const Installed&) = delete;

   private:
    DeviceSeam* previous;
  };

  int open(const char* path, int flags) override;
  int close(int fd) override;
  ssize_t read(int fd, void* buf, size_t count) override;
  ssize_t write(int fd, const void* buf, size_t count) override;
  int ioctl(int fd, unsigned long request, void* arg) override;
  void sleepMicroseconds(unsigned long us) override;
  int createThread(pthread_t* thread, const pthread_attr_t* attr, void* (*entry)(void*),
                   void* arg) override;
  void beforeBusyWait() override;

 private:
  struct Open {
    DeviceModel* model;
    int handle;
  };
  // The model and handle for `fd`, or false for a descriptor that is not open.
  bool lookup(int fd, Open* out) const;

  mutable std::mutex mutex;
  std::map<std::string, DeviceModel*> byPath;
  std::map<int, Open> descriptors;
  int nextFd = 1000;
  std::function<void(unsigned long)> sleeper;
  std::atomic<int> sleepCount{0};
};
