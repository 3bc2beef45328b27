#include "emainloop.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <thread>

#include "ewidget.h"

eMainloop* eApp = nullptr;

eTimer::eTimer(eMainloop* context) : loop(context) {}

eTimer::~eTimer() {
  stop();
}

void eTimer::start(long ms, bool single) {
  if (active)
    loop->removeTimer(this);
  singleShot = single;
  intervalMs = ms < 0 ? 0 : ms;
  due = loop->nowUs() + static_cast<int64_t>(intervalMs) * 1000;
  order = loop->nextOrder++;
  active = true;
  loop->addTimer(this);
}

void eTimer::stop() {
  if (!active)
    return;
  active = false;
  loop->removeTimer(this);
}

eMainloop::eMainloop(Time m) : mode(m) {
  realStartUs = realNowUs();
}

eMainloop::~eMainloop() {
  for (eTimer* timer : timers)
    timer->active = false;
  if (eApp == this)
    eApp = nullptr;
}

int64_t eMainloop::realNowUs() const {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
             .count() -
         realStartUs;
}

void eMainloop::addTimer(eTimer* timer) {
  timers.push_back(timer);
}

void eMainloop::removeTimer(eTimer* timer) {
  timers.erase(std::remove(timers.begin(), timers.end(), timer), timers.end());
}

uint64_t eMainloop::callLater(long ms, std::function<void()> fn) {
  Deferred d{nowUs() + static_cast<int64_t>(ms < 0 ? 0 : ms) * 1000, nextOrder++, nextId++,
             std::move(fn)};
  deferred.push_back(std::move(d));
  return deferred.back().id;
}

void eMainloop::cancel(uint64_t id) {
  deferred.erase(std::remove_if(deferred.begin(), deferred.end(),
                                [id](const Deferred& d) { return d.id == id; }),
                 deferred.end());
}

int64_t eMainloop::nextDue() const {
  int64_t next = INT64_MAX;
  for (const eTimer* timer : timers)
    next = std::min(next, timer->due);
  for (const Deferred& d : deferred)
    next = std::min(next, d.due);
  return next;
}

int64_t eMainloop::nextPreciseDue() const {
  int64_t next = INT64_MAX;
  for (const eTimer* timer : timers) {
    if (!timer->coarse)
      next = std::min(next, timer->due);
  }
  for (const Deferred& d : deferred)
    next = std::min(next, d.due);
  return next;
}

bool eMainloop::fireOne(int64_t limit) {
  eTimer* bestTimer = nullptr;
  size_t bestDeferred = SIZE_MAX;
  int64_t bestDue = INT64_MAX;
  uint64_t bestOrder = UINT64_MAX;
  for (eTimer* timer : timers) {
    if (timer->due < bestDue || (timer->due == bestDue && timer->order < bestOrder)) {
      bestTimer = timer;
      bestDue = timer->due;
      bestOrder = timer->order;
    }
  }
  for (size_t i = 0; i < deferred.size(); ++i) {
    if (deferred[i].due < bestDue ||
        (deferred[i].due == bestDue && deferred[i].order < bestOrder)) {
      bestTimer = nullptr;
      bestDeferred = i;
      bestDue = deferred[i].due;
      bestOrder = deferred[i].order;
    }
  }
  if (bestDue > limit)
    return false;
  if (bestTimer) {
    if (bestTimer->singleShot) {
      bestTimer->active = false;
      removeTimer(bestTimer);
    } else {
      bestTimer->due += std::max<int64_t>(1, static_cast<int64_t>(bestTimer->intervalMs) * 1000);
      bestTimer->order = nextOrder++;
    }
    bestTimer->timeout.emit();
  } else {
    std::function<void()> fn = std::move(deferred[bestDeferred].fn);
    deferred.erase(deferred.begin() + static_cast<std::ptrdiff_t>(bestDeferred));
    fn();
  }
  return true;
}

void eMainloop::processDue() {
  while (fireOne(nowUs())) {
  }
}

void eMainloop::setNow(int64_t us) {
  now.store(us, std::memory_order_release);
}

void eMainloop::advance(long ms) {
  if (ms < 0)
    ms = 0;
  if (!isVirtual()) {
    const int64_t target = realNowUs() + static_cast<int64_t>(ms) * 1000;
    for (;;) {
      processDue();
      const int64_t current = realNowUs();
      if (current >= target)
        break;
      const int64_t until = std::min(nextDue(), target);
      if (until > current)
        std::this_thread::sleep_for(std::chrono::microseconds(until - current));
    }
    processDue();
    return;
  }
  sleepers.stopRunningFree();
  const int64_t target = nowUs() + static_cast<int64_t>(ms) * 1000;
  for (;;) {
    sleepers.settle();
    processDue();
    if (sleepers.runOneDue(nowUs()))
      continue;
    const int64_t next = std::min(nextDue(), sleepers.earliestWake());
    if (next > target)
      break;
    if (next > nowUs())
      setNow(next);
  }
  if (target > nowUs())
    setNow(target);
}

void eMainloop::threadStarting() {
  if (isVirtual())
    sleepers.starting();
}

void eMainloop::threadNotStarted() {
  if (isVirtual())
    sleepers.notStarted();
}

void eMainloop::adoptThread() {
  if (isVirtual())
    sleepers.adopt();
}

void eMainloop::waitForThreads() {
  if (isVirtual())
    sleepers.settle();
}

void eMainloop::sleepUs(int64_t us) {
  if (!isVirtual()) {
    std::this_thread::sleep_for(std::chrono::microseconds(us));
    return;
  }
  sleepers.sleepUntil(nowUs() + std::max<int64_t>(0, us));
}

void eMainloop::letThreadsRun() {
  if (isVirtual())
    sleepers.runFree();
}

void eMainloop::postKey(eKey key) {
  keys.push_back(key);
}

bool eMainloop::inModal(const eWidget* widget) const {
  for (const Modal& m : modalStack) {
    if (m.widget == widget && !m.done)
      return true;
  }
  return false;
}

int eMainloop::runModal(eWidget* widget) {
  modalStack.push_back({widget, false, 0});
  const size_t depth = modalStack.size() - 1;
  while (!modalStack[depth].done) {
    processDue();
    if (modalStack[depth].done)
      break;
    if (!keys.empty()) {
      eKey key = keys.front();
      keys.pop_front();
      if (eWidget* target = topModal())
        target->keyDown(key);
    } else if (inputDriver) {
      inputDriver->idle(*this);
    } else {
      modalStack[depth].done = true;
      modalStack[depth].result = -1;
    }
  }
  const int result = modalStack[depth].result;
  modalStack.erase(modalStack.begin() + static_cast<std::ptrdiff_t>(depth), modalStack.end());
  return result;
}

void eMainloop::endModal(eWidget* widget, int result) {
  for (Modal& m : modalStack) {
    if (m.widget == widget && !m.done) {
      m.done = true;
      m.result = result;
      return;
    }
  }
}

void eMainloop::forget(eWidget* widget) {
  for (Modal& m : modalStack) {
    if (m.widget == widget)
      m.done = true;
  }
}

// --- Real time: waiting for the next timer, the caller's next frame or input ---

namespace {
// The input driver's wait may overshoot by a millisecond or two (whole-millisecond timeouts,
// the scheduler); it ends this long before a timer, and the rest is waited here.
constexpr int64_t kInputWaitMarginUs = 2000;
// A thread woken from a sleep usually comes back within a tenth of a millisecond, but now and
// then a millisecond or two late, more on a virtual machine; a timer would fire that late. So
// the last stretch before a timer is not slept: the loop yields the core until the time comes.
// That costs up to this much of a core's time per timer: with the finder's 4 refreshes a
// second, under 1 %.
constexpr int64_t kSpinBeforeTimerUs = 2000;
}  // namespace

bool eInputDriver::waitForInput(int64_t us) {
  if (us > 0)
    std::this_thread::sleep_for(std::chrono::microseconds(us));
  return false;
}

void eMainloop::sleepUntilRealUs(int64_t us, bool spinLast) {
  // Against the steady clock's own time line, so a late wake-up does not add to the next sleep.
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::time_point(std::chrono::microseconds(realStartUs + us));
  const auto wake = spinLast ? deadline - std::chrono::microseconds(kSpinBeforeTimerUs) : deadline;
  while (Clock::now() < wake)
    std::this_thread::sleep_until(wake);
  while (Clock::now() < deadline)
    std::this_thread::yield();
}

void eMainloop::waitForWork(int64_t untilUs) {
  if (isVirtual()) {
    const int64_t ahead = untilUs - nowUs();
    advance(ahead > 0 ? static_cast<long>((ahead + 999) / 1000) : 0);
    return;
  }
  processDue();
  const int64_t due = std::min(nextDue(), untilUs);
  const int64_t inputWait = due - kInputWaitMarginUs - realNowUs();
  if (inputWait > 0 && inputDriver && inputDriver->waitForInput(inputWait)) {
    processDue();
    return;
  }
  // Coarse timers and the caller's limits (its next frame, a look at its flags) need no such
  // precision.
  sleepUntilRealUs(due, nextPreciseDue() <= due);
  processDue();
}
