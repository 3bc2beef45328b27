#pragma once
// Test harness for the tone generator: a gate that runs the tone thread one pass at a time, a
// seam that records the device requests in order, a thread creator that can hold the thread
// before it starts or fail, and a fixture with a satellite window that has a "Sound" box.

#include <pthread.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "plugin/my_ebeamseek.h"
#include "seam/device_requests.h"
#include "support/finder_fixture.h"
#include "tone/tone.h"

// Holds the tone thread in each of its 50 ms sleeps until the test lets the next pass run. Once
// the window asks the thread to end (sound_run 0) a sleep returns by itself, as time would.
class PassGate {
 public:
  void attach(SimulatedDevices& devices) {
    devices.setSleep([this](unsigned long) { park(); });
  }

  // Waits until the thread has gone to sleep `count` times in all. False on timeout.
  bool waitParked(int count) {
    std::unique_lock<std::mutex> lock(mutex);
    return waitFor(lock, [&] { return parked >= count; });
  }

  // Lets the parked thread run one pass and waits until it sleeps again. False on timeout or
  // when the thread ended instead.
  bool runPass() {
    std::unique_lock<std::mutex> lock(mutex);
    if (parked <= released)
      return false;  // not parked: nothing to release
    released = parked;
    const int next = parked + 1;
    cv.notify_all();
    return waitFor(lock, [&] { return parked >= next; });
  }

  bool runPasses(int count) {
    for (int i = 0; i < count; ++i) {
      if (!runPass())
        return false;
    }
    return true;
  }

  int sleeps() {
    std::lock_guard<std::mutex> lock(mutex);
    return parked;
  }

 private:
  template <typename Pred>
  bool waitFor(std::unique_lock<std::mutex>& lock, Pred pred) {
    // Generous: this only guards against a hang, it measures nothing.
    return cv.wait_for(lock, std::chrono::seconds(30), pred);
  }

  void park() {
    std::unique_lock<std::mutex> lock(mutex);
    const int me = ++parked;
    cv.notify_all();
    while (released < me && sound_run.load(std::memory_order_relaxed) == 1) {
      cv.wait_for(lock, std::chrono::milliseconds(1));
    }
  }

  std::mutex mutex;
  std::condition_variable cv;
  int parked = 0;
  int released = 0;
};

// A device seam in front of another that writes down every request in order, e.g.
// "open /dev/sound/dsp 2049", "ioctl SETFMT 64", "write 1024", "ioctl SYNC", "sleep 50000",
// "thread", "busy wait".
// An ioctl line shows the value the caller passed in (for GETODELAY: its preset).
class RecordingDevices : public DeviceSeam {
 public:
  explicit RecordingDevices(DeviceSeam& behind) : inner(behind), previous(installDevices(this)) {}
  ~RecordingDevices() override { installDevices(previous); }
  RecordingDevices(const RecordingDevices&) = delete;
  RecordingDevices& operator=(const RecordingDevices&) = delete;

  std::vector<std::string> trace() {
    std::lock_guard<std::mutex> lock(mutex);
    return lines;
  }
  // The trace without the sleeps.
  std::vector<std::string> requests() {
    std::vector<std::string> out;
    for (const std::string& line : trace()) {
      if (line.rfind("sleep", 0) != 0)
        out.push_back(line);
    }
    return out;
  }

  int open(const char* path, int flags) override {
    record("open " + std::string(path) + " " + std::to_string(flags));
    return inner.open(path, flags);
  }
  int close(int fd) override {
    record("close");
    return inner.close(fd);
  }
  ssize_t read(int fd, void* buf, size_t count) override {
    record("read " + std::to_string(count));
    return inner.read(fd, buf, count);
  }
  ssize_t write(int fd, const void* buf, size_t count) override {
    record("write " + std::to_string(count));
    return inner.write(fd, buf, count);
  }
  int ioctl(int fd, unsigned long request, void* arg) override {
    const std::string value = arg ? std::to_string(*static_cast<int*>(arg)) : std::string("-");
    record("ioctl " + requestName(request) + (arg ? " " + value : std::string()));
    return inner.ioctl(fd, request, arg);
  }
  void sleepMicroseconds(unsigned long us) override {
    record("sleep " + std::to_string(us));
    inner.sleepMicroseconds(us);
  }
  int createThread(pthread_t* thread, const pthread_attr_t* attr, void* (*entry)(void*),
                   void* arg) override {
    record("thread");
    return inner.createThread(thread, attr, entry, arg);
  }
  void beforeBusyWait() override {
    record("busy wait");
    inner.beforeBusyWait();
  }

 private:
  static std::string requestName(unsigned long request) {
    struct Name {
      unsigned long code;
      const char* name;
    };
    static const Name kNames[] = {{kDspSetFmt, "SETFMT"},
                                  {kDspChannels, "CHANNELS"},
                                  {kDspSpeed, "SPEED"},
                                  {kDspSync, "SYNC"},
                                  {kDspGetODelay, "GETODELAY"}};
    for (const Name& n : kNames) {
      if (n.code == request)
        return n.name;
    }
    return std::to_string(request);
  }

  void record(std::string line) {
    std::lock_guard<std::mutex> lock(mutex);
    lines.push_back(std::move(line));
  }

  DeviceSeam& inner;
  DeviceSeam* previous;
  std::mutex mutex;
  std::vector<std::string> lines;
};

// Thread creators for toneThreadCreate. `create` starts a real thread that can be held before
// the tone thread's entry runs, and marks when the thread has really gone (its thread-local
// objects are destroyed only after pthread_exit has unwound it). `fail` refuses like a system
// out of threads.
struct ToneThreads {
  static inline std::atomic<int> creations{0};
  static inline std::atomic<bool> exited{false};
  static inline std::atomic<bool> held{false};
  static inline std::mutex mutex;
  static inline std::condition_variable cv;

  static void reset() {
    creations = 0;
    exited = false;
    held = false;
  }
  static void hold() { held = true; }
  static void release() {
    {
      std::lock_guard<std::mutex> lock(mutex);
      held = false;
    }
    cv.notify_all();
  }

  static int create(pthread_t* thread, const pthread_attr_t* attr, void* (*fn)(void*), void* arg) {
    ++creations;
    auto* start = new Start{fn, arg};
    const int result = pthread_create(thread, attr, trampoline, start);
    if (result != 0)
      delete start;
    return result;
  }

  static int fail(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*) {
    ++creations;
    return EAGAIN;
  }

 private:
  struct Start {
    void* (*fn)(void*);
    void* arg;
  };
  struct ExitMarker {
    void arm() {}
    ~ExitMarker() { exited = true; }
  };

  static void* trampoline(void* p) {
    const Start start = *static_cast<Start*>(p);
    delete static_cast<Start*>(p);
    thread_local ExitMarker marker;
    marker.arm();
    {
      std::unique_lock<std::mutex> lock(mutex);
      cv.wait(lock, [] { return !held.load(); });
    }
    return start.fn(start.arg);
  }
};

// A satellite window whose set-up stops at once (no service interface), with a "Sound" box
// wired to SoundOnOff as the satellite layout wires it; the test calls OpenSound itself.
class ToneFixture : public HostFixture {
 protected:
  ToneFixture() {
    receiver.setFrontendType(eFrontend::feSatellite);
    receiver.setServiceAvailable(false);
    // The rest of the tone state as a freshly loaded module has it.
    wave_phase = 0;
    std::memset(phasebuffer, 0, sizeof phasebuffer);
    std::memset(wavebuffer, 0, sizeof wavebuffer);
    sound_fd = 0;
    size = 0;
    sound_thread = 0;
    ToneThreads::reset();
    toneThreadCreate = ToneThreads::create;
    gate.attach(devices);
  }
  ~ToneFixture() override {
    ToneThreads::release();
    window.reset();
    toneThreadCreate = moduleCreator;
  }

  void openWindow() {
    window = std::make_unique<my_eBeamseek>(eFrontend::getInstance());
    window->soundBox = new eCheckbox(window.get(), 0, 1);
    window->soundBox->checked.connect(SigC::slot(*window, &my_eBeamseek::SoundOnOff));
  }
  // The user ticks or unticks the box.
  void toggleSound() { window->soundBox->toggle(); }
  void closeWindow() { window.reset(); }

  // OpenSound; once the thread idles in its first sleep, set the pitch and tick the box, and
  // let the thread go round to its playing sleep. The next pass writes the first block.
  bool startPlaying(int step) {
    window->OpenSound();
    if (!gate.waitParked(1))
      return false;
    snr_sound = step;
    toggleSound();
    return gate.runPass();
  }

  PassGate gate;
  std::unique_ptr<my_eBeamseek> window;

 private:
  const ToneThreadCreator moduleCreator = toneThreadCreate;
};
