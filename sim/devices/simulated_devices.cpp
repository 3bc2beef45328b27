#include "simulated_devices.h"

#include <chrono>
#include <thread>

#include "host/emainloop.h"

namespace {
struct LoopThreadStart {
  eMainloop* loop;
  void* (*entry)(void*);
  void* arg;
};

void* startOnLoop(void* p) {
  const LoopThreadStart start = *static_cast<LoopThreadStart*>(p);
  delete static_cast<LoopThreadStart*>(p);
  start.loop->adoptThread();
  return start.entry(start.arg);
}
}  // namespace

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

void SimulatedDevices::setRecording(bool on) {
  i2c.setRecording(on);
  audio.setRecording(on);
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

int SimulatedDevices::createThread(pthread_t* thread, const pthread_attr_t* attr,
                                   void* (*entry)(void*), void* arg) {
  bool ownSleeper = false;
  {
    std::lock_guard<std::mutex> lock(mutex);
    ownSleeper = static_cast<bool>(sleeper);
  }
  eMainloop* loop = eApp;
  if (ownSleeper || !loop || !loop->isVirtual())
    return pthread_create(thread, attr, entry, arg);
  loop->threadStarting();
  auto* start = new LoopThreadStart{loop, entry, arg};
  const int created = pthread_create(thread, attr, startOnLoop, start);
  if (created != 0) {
    delete start;
    loop->threadNotStarted();
    return created;
  }
  loop->waitForThreads();
  return 0;
}

void SimulatedDevices::beforeBusyWait() {
  if (eApp)
    eApp->letThreadsRun();
}
