#pragma once
// A device model behind the simulated device seam. Each model sees its own open handles; the
// seam maps descriptors to (model, handle). Every operation can be made to fail on demand.

#include <sys/types.h>

#include <atomic>
#include <cstddef>

struct DeviceFaults {
  std::atomic<bool> open{false};
  std::atomic<bool> select{false};  // I2C address selection (I2C_SLAVE_FORCE)
  std::atomic<bool> write{false};
  std::atomic<bool> read{false};
  std::atomic<bool> shortRead{false};  // a read returns one byte fewer than asked
  std::atomic<bool> ioctl{false};      // every other request
};

class DeviceModel {
 public:
  virtual ~DeviceModel() = default;
  // Returns a handle >= 0 or -1. Called with the seam's lock held, like all of these.
  virtual int open(int flags) = 0;
  virtual void close(int handle) = 0;
  virtual ssize_t read(int handle, void* buf, size_t count) = 0;
  virtual ssize_t write(int handle, const void* buf, size_t count) = 0;
  virtual int ioctl(int handle, unsigned long request, void* arg) = 0;

  DeviceFaults faults;
  // Descriptors open now, and opened in all.
  int openDescriptors() const { return openNow.load(); }
  int opensInAll() const { return opens.load(); }

 protected:
  friend class SimulatedDevices;
  std::atomic<int> openNow{0};
  std::atomic<int> opens{0};
};
