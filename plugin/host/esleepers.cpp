#include "esleepers.h"

#include <algorithm>
#include <climits>

// Which loop's sleepers the calling thread belongs to; its destructor runs when the thread
// ends, however it ends, and tells the loop.
struct eSleeperMembership {
  eSleepers* of = nullptr;
  ~eSleeperMembership() {
    if (of)
      of->ended();
  }
};

namespace {
thread_local eSleeperMembership membership;
}  // namespace

eSleepers::eSleepers(std::atomic<int64_t>& c) : clock(c) {}

eSleepers::~eSleepers() = default;

void eSleepers::starting() {
  std::lock_guard<std::mutex> lock(mutex);
  ++members;
  ++running;
  runningFree = false;
}

void eSleepers::notStarted() {
  std::lock_guard<std::mutex> lock(mutex);
  --members;
  --running;
  afterOneStopped();
}

void eSleepers::adopt() {
  std::lock_guard<std::mutex> lock(mutex);
  membership.of = this;
}

void eSleepers::join() {
  membership.of = this;
  ++members;
  ++running;
}

void eSleepers::ended() {
  std::lock_guard<std::mutex> lock(mutex);
  --members;
  --running;
  afterOneStopped();
}

void eSleepers::sleepUntil(int64_t wakeUs) {
  std::unique_lock<std::mutex> lock(mutex);
  if (membership.of != this)
    join();
  Sleeper me(wakeUs, nextOrder++);
  sleeping.push_back(&me);
  --running;
  afterOneStopped();
  me.cv.wait(lock, [&] { return me.woken; });
}

void eSleepers::afterOneStopped() {
  if (members == 0)
    runningFree = false;
  if (running != 0)
    return;
  settled.notify_all();
  if (!runningFree)
    return;
  if (Sleeper* next = earliest()) {
    if (next->wakeUs > clock.load(std::memory_order_relaxed))
      clock.store(next->wakeUs, std::memory_order_release);
    wake(next);
  }
}

eSleepers::Sleeper* eSleepers::earliest() const {
  Sleeper* best = nullptr;
  for (Sleeper* s : sleeping) {
    if (!best || s->wakeUs < best->wakeUs || (s->wakeUs == best->wakeUs && s->order < best->order))
      best = s;
  }
  return best;
}

void eSleepers::wake(Sleeper* sleeper) {
  sleeping.erase(std::find(sleeping.begin(), sleeping.end(), sleeper));
  sleeper->woken = true;
  ++running;
  sleeper->cv.notify_one();
}

void eSleepers::settle() {
  std::unique_lock<std::mutex> lock(mutex);
  settled.wait(lock, [&] { return running == 0; });
}

bool eSleepers::runOneDue(int64_t limitUs) {
  std::unique_lock<std::mutex> lock(mutex);
  Sleeper* next = earliest();
  if (!next || next->wakeUs > limitUs)
    return false;
  wake(next);
  settled.wait(lock, [&] { return running == 0; });
  return true;
}

int64_t eSleepers::earliestWake() {
  std::lock_guard<std::mutex> lock(mutex);
  const Sleeper* next = earliest();
  return next ? next->wakeUs : INT64_MAX;
}

void eSleepers::runFree() {
  std::lock_guard<std::mutex> lock(mutex);
  if (members == 0)
    return;
  runningFree = true;
  afterOneStopped();
}

void eSleepers::stopRunningFree() {
  std::lock_guard<std::mutex> lock(mutex);
  runningFree = false;
}
