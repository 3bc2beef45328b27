#pragma once
// The plug-in's only door to the kernel. Every device access of the plug-in (I2C bus, DVB
// frontend, OSS audio), the start of the tone thread and its sleeps go through devices(). It
// belongs to the module, not to the host: on the receiver it is the real system calls on the
// real device paths.
//
// Time. The tone thread starts through createThread() and sleeps through sleepMicroseconds(),
// so whatever stands behind the seam knows the module's thread from its start to its end and
// can run it on a clock of its own. The device models run it on the host's virtual clock with
// an exact hand-off (a thread runs only while the clock waits for it), which makes a simulated
// run repeat byte for byte. Such a clock moves only while the GUI thread lets time pass, so a
// GUI thread that waits for the tone thread by polling must say so first (beforeBusyWait());
// on the real system calls that is a no-op, the real clock runs by itself.
//
// A test or simulator process puts device models behind it by defining the C function
// vevovuvado_device_override() (see below). The module refers to it as a weak symbol, so on the
// receiver, whose host defines no such thing, it resolves to null and the module loads and runs
// on the system calls. No libc interposition, so it works under ASan and TSan.

#include <pthread.h>
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
  // Starts a thread of the module; the contract of pthread_create (0 or an error number). A
  // seam that runs the thread on a clock of its own may return only once the new thread has
  // reached its first sleep or ended.
  virtual int createThread(pthread_t* thread, const pthread_attr_t* attr, void* (*entry)(void*),
                           void* arg) = 0;
  // The calling thread is about to wait for the module's other threads by polling, without
  // sleeping (the window's destructor waiting for the tone thread to end). Call it only once
  // nothing the other threads read will change before the poll ends.
  virtual void beforeBusyWait() = 0;
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
  int createThread(pthread_t* thread, const pthread_attr_t* attr, void* (*entry)(void*),
                   void* arg) override;
  // Nothing: the real clock runs on while the caller polls.
  void beforeBusyWait() override;
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
