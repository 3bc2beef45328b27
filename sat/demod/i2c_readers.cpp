// The demodulator register readers. Every call opens the bus, selects the device, transfers
// its bytes and closes the bus again: the bus is shared with the receiver's own driver, so no
// descriptor is kept between calls.

#include <fcntl.h>

#include "plugin/my_ebeamseek.h"
#include "register_map.h"
#include "seam/device_requests.h"
#include "seam/device_seam.h"

namespace {
constexpr int kNoRegister = -1;

// Reads `count` bytes of device `addr`, from register `reg` or as a plain read. Returns false
// on any failure; the bus is closed on every path after it was opened.
bool transfer(unsigned long addr, int reg, unsigned char* bytes, size_t count,
              bool logSelectFailure) {
  DeviceSeam& dev = devices();
  const int fd = dev.open(devpath::kI2cBus, O_RDWR | O_NONBLOCK);
  if (fd < 0)
    return false;
  const int selected = dev.ioctl(fd, kI2cSlaveForce, reinterpret_cast<void*>(addr));
  if (selected < 0) {
    if (logSelectFailure)
      eDebug("i2c ioctl fehlgeschlagen %d", selected);
    dev.close(fd);
    return false;
  }
  if (reg != kNoRegister) {
    const unsigned char number = static_cast<unsigned char>(reg);
    // Not tested: a failed write shows up in the read that follows.
    (void)dev.write(fd, &number, 1);
  }
  const ssize_t got = dev.read(fd, bytes, count);
  dev.close(fd);
  return got == static_cast<ssize_t>(count);
}
}  // namespace

int my_eBeamseek::I2C_ReadByte(unsigned long addr) {
  unsigned char b[1];
  if (!transfer(addr, kNoRegister, b, 1, true))
    return -1;
  return b[0];
}

int my_eBeamseek::I2C_ReadByte(unsigned long addr, unsigned char reg) {
  unsigned char b[1];
  if (!transfer(addr, reg, b, 1, false))
    return -1;
  return b[0];
}

int my_eBeamseek::I2C_GetUInt16(unsigned char reg) {
  unsigned char b[2];
  if (!transfer(kSatDemodAddress, reg, b, 2, false))
    return -1;
  return b[0] * 256 + b[1];
}

int my_eBeamseek::I2C_GetInt16(unsigned char reg) {
  unsigned char b[2];
  if (!transfer(kSatDemodAddress, reg, b, 2, true))
    return -1;
  const int value = static_cast<signed char>(b[0]) * 256 + b[1];
  // -1 is the failure value; a genuine reading of 0xFFFF is reported as 0 instead.
  return value == -1 ? 0 : value;
}

int my_eBeamseek::I2C_GetUInt24(unsigned char reg) {
  unsigned char b[3];
  if (!transfer(kSatDemodAddress, reg, b, 3, false))
    return -1;
  return b[0] * 65536 + b[1] * 256 + b[2];
}
