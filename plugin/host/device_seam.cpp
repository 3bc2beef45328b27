#include "device_seam.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <atomic>

int SystemDevices::open(const char* path, int flags) {
  return ::open(path, flags);
}
int SystemDevices::close(int fd) {
  return ::close(fd);
}
ssize_t SystemDevices::read(int fd, void* buf, size_t count) {
  return ::read(fd, buf, count);
}
ssize_t SystemDevices::write(int fd, const void* buf, size_t count) {
  return ::write(fd, buf, count);
}
int SystemDevices::ioctl(int fd, unsigned long request, void* arg) {
  return ::ioctl(fd, request, arg);
}
void SystemDevices::sleepMicroseconds(unsigned long us) {
  ::usleep(static_cast<useconds_t>(us));
}

namespace {
SystemDevices systemDevices;
std::atomic<DeviceSeam*> installed{&systemDevices};
}  // namespace

DeviceSeam& devices() {
  return *installed.load(std::memory_order_acquire);
}

DeviceSeam* installDevices(DeviceSeam* seam) {
  DeviceSeam* previous =
      installed.exchange(seam ? seam : &systemDevices, std::memory_order_acq_rel);
  return previous;
}
