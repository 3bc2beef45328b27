#include "device_seam.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

// Weak: on the receiver nothing defines it, and the reference resolves to null instead of
// failing the module's load.
extern "C" DeviceSeam* vevovuvado_device_override() __attribute__((weak));

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
int SystemDevices::createThread(pthread_t* thread, const pthread_attr_t* attr,
                                void* (*entry)(void*), void* arg) {
  return ::pthread_create(thread, attr, entry, arg);
}
void SystemDevices::beforeBusyWait() {}

DeviceSeam& devices() {
  static SystemDevices systemDevices;
  // Looked up once: whether the process defines the override cannot change while it runs.
  static DeviceSeam* (*const override)() = vevovuvado_device_override;
  if (override) {
    if (DeviceSeam* seam = override())
      return *seam;
  }
  return systemDevices;
}
