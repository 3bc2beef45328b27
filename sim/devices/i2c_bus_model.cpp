#include "i2c_bus_model.h"

#include <cstring>

#include "seam/device_requests.h"

void I2cBusModel::setRegister(int address, int reg, uint8_t value) {
  std::lock_guard<std::mutex> lock(mutex);
  devicesByAddress[address].registers[static_cast<size_t>(reg & 0xFF)] = value;
}

void I2cBusModel::setRegisters(int address, int reg, std::initializer_list<uint8_t> bytes) {
  std::lock_guard<std::mutex> lock(mutex);
  Device& device = devicesByAddress[address];
  for (uint8_t b : bytes)
    device.registers[static_cast<size_t>(reg++ & 0xFF)] = b;
}

void I2cBusModel::setPlainReadByte(int address, uint8_t value) {
  std::lock_guard<std::mutex> lock(mutex);
  Device& device = devicesByAddress[address];
  device.hasPlainRead = true;
  device.plainRead = value;
}

void I2cBusModel::removeDevice(int address) {
  std::lock_guard<std::mutex> lock(mutex);
  devicesByAddress.erase(address);
}

bool I2cBusModel::hasDevice(int address) const {
  std::lock_guard<std::mutex> lock(mutex);
  return devicesByAddress.count(address) != 0;
}

uint8_t I2cBusModel::getRegister(int address, int reg) const {
  std::lock_guard<std::mutex> lock(mutex);
  auto it = devicesByAddress.find(address);
  return it == devicesByAddress.end() ? 0 : it->second.registers[static_cast<size_t>(reg & 0xFF)];
}

std::vector<I2cBusModel::Transfer> I2cBusModel::transfers() const {
  std::lock_guard<std::mutex> lock(mutex);
  return log;
}

void I2cBusModel::setRecording(bool on) {
  std::lock_guard<std::mutex> lock(mutex);
  recording = on;
  if (!on)
    log = {};
}

void I2cBusModel::clearTransfers() {
  std::lock_guard<std::mutex> lock(mutex);
  log.clear();
}

int I2cBusModel::open(int /*flags*/) {
  std::lock_guard<std::mutex> lock(mutex);
  const int handle = nextHandle++;
  handles[handle] = Handle{};
  return handle;
}

void I2cBusModel::close(int handle) {
  std::lock_guard<std::mutex> lock(mutex);
  handles.erase(handle);
}

int I2cBusModel::ioctl(int handle, unsigned long request, void* arg) {
  std::lock_guard<std::mutex> lock(mutex);
  if (request != kI2cSlaveForce)
    return -1;
  if (faults.select)
    return -1;
  // The address travels in the argument word itself, as with the real request.
  handles[handle].address = static_cast<int>(reinterpret_cast<uintptr_t>(arg));
  handles[handle].pointer = -1;
  return 0;
}

ssize_t I2cBusModel::write(int handle, const void* buf, size_t count) {
  std::lock_guard<std::mutex> lock(mutex);
  if (faults.write || count == 0)
    return -1;
  Handle& h = handles[handle];
  if (devicesByAddress.count(h.address) == 0)
    return -1;
  h.pointer = static_cast<const uint8_t*>(buf)[0];
  return static_cast<ssize_t>(count);
}

ssize_t I2cBusModel::read(int handle, void* buf, size_t count) {
  std::lock_guard<std::mutex> lock(mutex);
  if (faults.read)
    return -1;
  Handle& h = handles[handle];
  auto it = devicesByAddress.find(h.address);
  if (it == devicesByAddress.end())
    return -1;
  Device& device = it->second;
  if (recording)
    log.push_back({h.address, h.pointer, count});
  size_t n = count;
  if (faults.shortRead && n > 0)
    --n;
  auto* out = static_cast<uint8_t*>(buf);
  if (h.pointer < 0 && device.hasPlainRead) {
    for (size_t i = 0; i < n; ++i)
      out[i] = device.plainRead;
    return static_cast<ssize_t>(n);
  }
  int reg = h.pointer < 0 ? 0 : h.pointer;
  for (size_t i = 0; i < n; ++i)
    out[i] = device.registers[static_cast<size_t>(reg++ & 0xFF)];
  h.pointer = reg & 0xFF;
  return static_cast<ssize_t>(n);
}
