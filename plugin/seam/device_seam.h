#pragma once
// The plug-in's only door to the kernel. Every device access of the plug-in (I2C bus, DVB
// frontend, OSS audio) and the tone thread's sleeps go through devices(). It belongs to the
// module, not to the host: on the receiver it is the real system calls on the real device paths.
//
// A test or simulator process puts device models behind it by defining the C function
// vevovuvado_device_override() (see below). The module refers to it as a weak symbol, so on the
// receiver, whose host defines no such thing, it resolves to null and the module loads and runs
// on the system calls. No libc interposition, so it works under ASan and TSan.

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

// The real system calls; what devices() gives when nothing overrides it.
class SystemDevices : public DeviceSeam {
 public:
  int open(const char* path, int flags) override;
  int close(int fd) override;
  ssize_t read(int fd, void* buf, size_t count) override;
  ssize_t write(int fd, const void* buf, size_t count) override;
  int ioctl(int fd, unsigned long request, void* arg) override;
  void sleepMicroseconds(unsigned long us) override;
};

// The seam in force: the override's seam when the process defines one and it returns one, the
// system calls otherwise. Safe to call from any thread.
DeviceSeam& devices();

// Defined only by processes that run the plug-in on device models (tests, the simulator); the
// module looks for it once. It returns the seam to use now, or null for the system calls, and
// must be safe to call from any thread. A process that dlopens the module must export it from
// its dynamic symbol table.
extern "C" DeviceSeam* vevovuvado_device_override();

// Device paths of the receiver.
namespace devpath {
inline constexpr const char* kI2cBus = "/dev/i2c/0";
inline constexpr const char* kFrontend = "/dev/dvb/card0/frontend0";
inline constexpr const char* kAudio = "/dev/sound/dsp";
}  // namespace devpath
