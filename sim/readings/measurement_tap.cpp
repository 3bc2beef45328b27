#include "measurement_tap.h"

#include <cstring>

#include "seam/device_requests.h"

namespace {
constexpr long kSatDemodAddress = 0x68;
}  // namespace

MeasurementTap::MeasurementTap(DeviceSeam& d, eFrontendSource& f, int reg)
    : inner(d), frontend(f), noiseRegister(reg) {}

int MeasurementTap::noiseRead() const {
  std::lock_guard<std::mutex> lock(mutex);
  return noise;
}

void MeasurementTap::measured() {
  if (onMeasurement)
    onMeasurement();
  std::lock_guard<std::mutex> lock(mutex);
  noise = -1;
}

int MeasurementTap::open(const char* path, int flags) {
  const bool frontendQuery = path && std::strcmp(path, devpath::kFrontend) == 0;
  if (frontendQuery)
    measured();
  const int fd = inner.open(path, flags);
  if (fd >= 0 && path && std::strcmp(path, devpath::kI2cBus) == 0) {
    std::lock_guard<std::mutex> lock(mutex);
    busFd = fd;
    busAddress = -1;
    busRegister = -1;
  }
  if (fd >= 0 && path && std::strcmp(path, devpath::kAudio) == 0) {
    std::lock_guard<std::mutex> lock(mutex);
    audioFd = fd;
  }
  return fd;
}

int MeasurementTap::close(int fd) {
  {
    std::lock_guard<std::mutex> lock(mutex);
    if (fd == busFd)
      busFd = -1;
    if (fd == audioFd)
      audioFd = -1;
  }
  return inner.close(fd);
}

ssize_t MeasurementTap::read(int fd, void* buf, size_t count) {
  const ssize_t got = inner.read(fd, buf, count);
  std::lock_guard<std::mutex> lock(mutex);
  if (fd == busFd && busAddress == kSatDemodAddress && busRegister == noiseRegister && count == 2) {
    const auto* bytes = static_cast<const unsigned char*>(buf);
    noise = got == 2 ? bytes[0] * 256 + bytes[1] : -1;
  }
  return got;
}

ssize_t MeasurementTap::write(int fd, const void* buf, size_t count) {
  bool audio = false;
  {
    std::lock_guard<std::mutex> lock(mutex);
    if (fd == busFd && count == 1 && buf)
      busRegister = *static_cast<const unsigned char*>(buf);
    audio = fd == audioFd && fd >= 0;
  }
  const ssize_t written = inner.write(fd, buf, count);
  if (audio && written > 0 && onAudioWritten)
    onAudioWritten(static_cast<const int8_t*>(buf), static_cast<long>(written));
  return written;
}

int MeasurementTap::ioctl(int fd, unsigned long request, void* arg) {
  {
    std::lock_guard<std::mutex> lock(mutex);
    if (fd == busFd && request == kI2cSlaveForce)
      busAddress = reinterpret_cast<long>(arg);
  }
  return inner.ioctl(fd, request, arg);
}

void MeasurementTap::sleepMicroseconds(unsigned long us) {
  if (onSleep)
    onSleep();
  inner.sleepMicroseconds(us);
}

int MeasurementTap::createThread(pthread_t* thread, const pthread_attr_t* attr,
                                 void* (*entry)(void*), void* arg) {
  return inner.createThread(thread, attr, entry, arg);
}

void MeasurementTap::beforeBusyWait() {
  inner.beforeBusyWait();
}

int MeasurementTap::snr() {
  measured();
  return frontend.snr();
}

int MeasurementTap::signalStrength() {
  return frontend.signalStrength();
}

int MeasurementTap::ber() {
  return frontend.ber();
}

unsigned MeasurementTap::status() {
  return frontend.status();
}
