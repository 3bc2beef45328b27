#pragma once
// The DVB frontend device "/dev/dvb/card0/frontend0": the parameter query reports the
// frequency the tuner is on, in kHz (on a satellite receiver the intermediate frequency).

#include <atomic>
#include <cstdint>

#include "device_model.h"

class FrontendDeviceModel : public DeviceModel {
 public:
  void setFrequency(uint32_t kHz) { frequency = kHz; }
  uint32_t getFrequency() const { return frequency; }
  int queries() const { return queryCount; }

  int open(int flags) override;
  void close(int handle) override;
  ssize_t read(int handle, void* buf, size_t count) override;
  ssize_t write(int handle, const void* buf, size_t count) override;
  int ioctl(int handle, unsigned long request, void* arg) override;

 private:
  std::atomic<uint32_t> frequency{0};
  std::atomic<int> queryCount{0};
  std::atomic<int> nextHandle{0};
};
