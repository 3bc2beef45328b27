#include "esleepers.h"

#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <thread>

// Which loop's sleepers the calling thread belongs to, and its sleep. The destructor runs when
// the thread ends, however it ends, and tells the loop; a waker touches `sleeper` only with the
// loop's lock held and only while the thread sleeps, and ended() takes that lock before the
// sleeper goes, so it never goes under a waker.
struct eSleeperMembership {
  eSleepers* of = nullptr;
  eSleepers::Sleeper sleeper;
  ~eSleeperMembership() {
    if (of)
      of->ended();
  }
};

namespace {
thread_local eSleeperMembership membership;

// How a waiter waits before it blocks in the kernel: a microsecond of pauses, for the other side
// running on another core, then a while of giving the core away, for the other side waiting
// for this core. A pass of the tone thread, or the GUI thread's work between two passes,
// usually ends within that, and a wake-up from the kernel costs far more: on a shared two-core
// machine this halves the wall time of blocking at once when a core is free, and is no worse
// while other programs keep both cores busy.
constexpr int kSpins = 20;
constexpr auto kYieldingSpin = std::chrono::microseconds(100);

void spinPause() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

int* futexWord(std::atomic<int>& word) {
  static_assert(sizeof(std::atomic<int>) == sizeof(int), "a futex is one int");
  return reinterpret_cast<int*>(&word);
}
}  // namespace

void eSleepers::Word::set(int v) {
  value.store(v, std::memory_order_seq_cst);
  wakeWaiters();
}

void eSleepers::Word::add(int delta) {
  value.fetch_add(delta, std::memory_order_seq_cst);
  wakeWaiters();
}

void eSleepers::Word::wakeWaiters() {
  if (blocked.load(std::memory_order_seq_cst) > 0)
    syscall(SYS_futex, futexWord(value), FUTEX_WAKE_PRIVATE, INT_MAX, nullptr, nullptr, 0);
}

template <typename Done>
void eSleepers::Word::waitUntil(Done done) {
  // Spinning on one core only keeps the other side from running.
  static const bool spin = std::thread::hardware_concurrency() > 1;
  if (spin) {
    for (int i = 0; i < kSpins; ++i) {
      if (done(value.load(std::memory_order_acquire)))
        return;
      spinPause();
    }
    // Then a while longer giving the core away at each look, so that on a busy machine the
    // other side, or anyone else, runs meanwhile.
    const auto until = std::chrono::steady_clock::now() + kYieldingSpin;
    do {
      if (done(value.load(std::memory_order_acquire)))
        return;
      std::this_thread::yield();
    } while (std::chrono::steady_clock::now() < until);
  }
  for (;;) {
    blocked.fetch_add(1, std::memory_order_seq_cst);
    // Sequentially consistent, so also the acquire that orders the waiter after the change.
    const int seen = value.load(std::memory_order_seq_cst);
    if (done(seen)) {
      blocked.fetch_sub(1, std::memory_order_relaxed);
      break;
    }
    // Returns at once if the word is no longer `seen`.
    syscall(SYS_futex, futexWord(value), FUTEX_WAIT_PRIVATE, seen, nullptr, nullptr, 0);
    blocked.fetch_sub(1, std::memory_order_relaxed);
  }
}

eSleepers::eSleepers(std::atomic<int64_t>& c) : clock(c) {}

eSleepers::~eSleepers() = default;

void eSleepers::starting() {
  std::lock_guard<std::mutex> lock(mutex);
  ++members;
  running.add(1);
  runningFree = false;
}

// A thread that was announced but never ran leaves as one that ended.
void eSleepers::notStarted() {
  ended();
}

void eSleepers::adopt() {
  std::lock_guard<std::mutex> lock(mutex);
  membership.of = this;
}

void eSleepers::join() {
  membership.of = this;
  ++members;
  running.add(1);
}

void eSleepers::ended() {
  {
    std::lock_guard<std::mutex> lock(mutex);
    if (--members == 0)
      runningFree = false;
  }
  stopped();
}

void eSleepers::stopped() {
  running.add(-1);
  // Whoever sees both the free run and nothing running takes the next step; runFree() checks
  // the other way round, so one of the two always does.
  if (runningFree.load(std::memory_order_seq_cst)) {
    std::lock_guard<std::mutex> lock(mutex);
    freeStep();
  }
}

void eSleepers::sleepUntil(int64_t wakeUs) {
  Sleeper& me = membership.sleeper;
  {
    std::lock_guard<std::mutex> lock(mutex);
    if (membership.of != this)
      join();
    me.wakeUs = wakeUs;
    me.order = nextOrder++;
    me.woken.set(0);
    sleeping.push_back(&me);
  }
  stopped();
  me.woken.waitUntil([](int woken) { return woken != 0; });
}

void eSleepers::freeStep() {
  if (!runningFree.load(std::memory_order_relaxed) || running.load() != 0)
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
  running.add(1);
  sleeper->woken.set(1);
}

void eSleepers::settle() {
  running.waitUntil([](int count) { return count == 0; });
}

bool eSleepers::runOneDue(int64_t limitUs) {
  {
    std::lock_guard<std::mutex> lock(mutex);
    Sleeper* next = earliest();
    if (!next || next->wakeUs > limitUs)
      return false;
    wake(next);
  }
  settle();
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
  runningFree.store(true, std::memory_order_seq_cst);
  freeStep();
}

void eSleepers::stopRunningFree() {
  std::lock_guard<std::mutex> lock(mutex);
  runningFree = false;
}
