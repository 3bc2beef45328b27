#include "simulated_devices.h"

#include <chrono>
#include <thread>

#include "host/emainloop.h"

SimulatedDevices::SimulatedDevices() {
  byPath[devpath::kI2cBus] = &i2c;
  byPath[devpath::kFrontend] = &frontend;
  byPath[devpath::kAudio] = &audio;
}

SimulatedDevices::~SimulatedDevices() {
  // Never leave a dangling seam behind.
  if (vevovuvado_device_override() == this)
    installDevices(nullptr);
}

int SimulatedDevices::openDescriptors() const {
  std::lock_guard<std::mutex> lock(mutex);
  return static_cast<int>(descriptors.size());
}

void SimulatedDevices::setSleep(std::function<void(unsigned long)> s) {
  std::lock_guard<std::mutex> lock(mutex);
  sleeper = std::move(s);
}

bool SimulatedDevices::lookup(int fd, Open* out) const {
  std::lock_guard<std::mutex> lock(mutex);
  auto it = descriptors.find(fd);
  if (it == descriptors.end())
    return false;
  *out = it->second;
  return true;
}

int SimulatedDevices::open(const char* path, int flags) {
  DeviceModel* model = nullptr;
  {
    std::lock_guard<std::mutex> lock(mutex);
    auto it = byPath.find(path ? path : "");
    if (it == byPath.end())
      return -1;
    model = it->second;
  }
  if (model->faults.open)
    return -1;
  const int handle = model->open(flags);
  if (handle < 0)
    return -1;
  ++model->openNow;
  ++model->opens;
  std::lock_guard<std::mutex> lock(mutex);
  const int fd = nextFd++;
  descriptors[fd] = Open{model, handle};
  return fd;
}

int SimulatedDevices::close(int fd) {
  Open o{};
  {
    std::lock_guard<std::mutex> lock(mutex);
    auto it = descriptors.find(fd);
    if (it == descriptors.end())
      return -1;
    o = it->second;
    descriptors.erase(it);
  }
  o.model->close(o.handle);
  --o.model->openNow;
  return 0;
}

ssize_t SimulatedDevices::read(int fd, void* buf, size_t count) {
  Open o{};
  if (!lookup(fd, &o))
    return -1;
  return o.model->read(o.handle, buf, count);
}

ssize_t SimulatedDevices::write(int fd, const void* buf, size_t count) {
  Open o{};
  if (!lookup(fd, &o))
    return -1;
  return o.model->write(o.handle, buf, count);
}

int SimulatedDevices::ioctl(int fd, unsigned long request, void* arg) {
  Open o{};
  if (!lookup(fd, &o))
    return -1;
  return o.model->ioctl(o.handle, request, arg);
}

void SimulatedDevices::sleepMicroseconds(unsigned long us) {
  ++sleepCount;
  std::function<void(unsigned long)> s;
  {
    std::lock_guard<std::mutex> lock(mutex);
    s = sleeper;
  }
  if (s) {
    s(us);
  } else if (eApp) {
    eApp->sleepUs(static_cast<int64_t>(us));
  } else {
    std::this_thread::sleep_for(std::chrono::microseconds(us));
  }
}
