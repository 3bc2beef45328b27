#pragma once
// The plug-in's only door to the kernel. Every device access of the plug-in (I2C bus, DVB
// frontend, OSS audio) and the tone thread's sleeps go through devices(). On the receiver it is
// the real system calls on the real device paths; tests and the simulator install device models.
// Switching is a pointer swap, so it works under ASan and TSan (no libc interposition).

#include <sys/types.h>

#include <cstddef>

class DeviceSeam {
 public:
  virtual ~DeviceSeam() = default;
  // Same contracts as the system calls: -1 on failure, and errno is not relied upon.
  virtual int open(const char* path, int flags) = 0;
  virtual int close(int fd) = 0;
  virtual ssize_t read(int fd, void* buf, size_t count) = 0;
  virtual ssize_t write(int fd, const void* buf, size_t count) = 0;
  virtual int ioctl(int fd, unsigned long request, void* arg) = 0;
  // Blocks the calling thread for the given time (the tone thread's 50 ms passes).
  virtual void sleepMicroseconds(unsigned long us) = 0;
};

// The real system calls; the default behind devices().
class SystemDevices : public DeviceSeam {
 public:
  int open(const char* path, int flags) override;
  int close(int fd) override;
  ssize_t read(int fd, void* buf, size_t count) override;
  ssize_t write(int fd, const void* buf, size_t count) override;
  int ioctl(int fd, unsigned long request, void* arg) override;
  void sleepMicroseconds(unsigned long us) override;
};

// The seam in force. Safe to call from any thread.
DeviceSeam& devices();

// Puts `seam` behind devices() and returns what was there; nullptr restores the system calls.
// The caller keeps ownership and must keep the object alive while it is installed.
DeviceSeam* installDevices(DeviceSeam* seam);

// Device paths and request codes of the receiver. The codes come from the system's ioctl macros,
// so a PowerPC build gets the target's numbers.
namespace devpath {
inline constexpr const char* kI2cBus = "/dev/i2c/0";
inline constexpr const char* kFrontend = "/dev/dvb/card0/frontend0";
inline constexpr const char* kAudio = "/dev/sound/dsp";
}  // namespace devpath
