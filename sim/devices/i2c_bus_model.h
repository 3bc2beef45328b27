#pragma once
// The I2C bus "/dev/i2c/0": devices by 7-bit address, each a file of 256 byte registers.
// A transfer is: select the address (I2C_SLAVE_FORCE), write one byte (the register number),
// read N bytes from consecutive registers. A read without a preceding register write on the
// descriptor is a plain read: the device's plain-read byte when it has one, else register 0.
// Reading an address with no device fails (the chip does not acknowledge).

#include <array>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <mutex>
#include <vector>

#include "device_model.h"

class I2cBusModel : public DeviceModel {
 public:
  // Creates the device when needed.
  void setRegister(int address, int reg, uint8_t value);
  // Consecutive registers from `reg`, most significant byte first as the chips send them.
  void setRegisters(int address, int reg, std::initializer_list<uint8_t> bytes);
  void setPlainReadByte(int address, uint8_t value);
  void removeDevice(int address);
  bool hasDevice(int address) const;
  uint8_t getRegister(int address, int reg) const;

  // Register reads (address, register) in order, kept only while recording is on (off by
  // default; tests turn it on): a long run reads the bus some 30 times a second.
  void setRecording(bool on);
  struct Transfer {
    int address;
    int reg;  // -1 for a plain read
    size_t bytes;
  };
  std::vector<Transfer> transfers() const;
  void clearTransfers();

  int open(int flags) override;
  void close(int handle) override;
  ssize_t read(int handle, void* buf, size_t count) override;
  ssize_t write(int handle, const void* buf, size_t count) override;
  int ioctl(int handle, unsigned long request, void* arg) override;

 private:
  struct Device {
    std::array<uint8_t, 256> registers{};
    bool hasPlainRead = false;
    uint8_t plainRead = 0;
  };
  struct Handle {
    int address = -1;
    int pointer = -1;  // register number written on this descriptor, -1 none yet
  };
  mutable std::mutex mutex;
  std::map<int, Device> devicesByAddress;
  std::map<int, Handle> handles;
  int nextHandle = 0;
  bool recording = false;
  std::vector<Transfer> log;
};
