#pragma once
// The host's main loop (eApp): timers, deferred host work (tuned-in reports), keys, and the
// modal loops of windows and message boxes. It runs on an injectable clock:
//  - virtual time (tests, headless simulator): time moves only when advance() is called, and
//    jumps from one due timer or sleeping thread's wake time to the next, handing time over
//    exactly to the other threads that sleep on it (esleepers.h), so runs are deterministic
//    and never sleep;
//  - real time (interactive simulator): advance() sleeps until timers are due, and
//    waitForWork() until the next timer, a limit of the caller's or input, whichever is first.
// When a modal loop has no key to deliver it asks the input driver to act (send keys, let time
// pass); without a driver a modal loop closes at once, so nothing can hang.

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "ekey.h"
#include "esleepers.h"
#include "sigc_compat.h"

class eMainloop;
class eWidget;

class eInputDriver {
 public:
  virtual ~eInputDriver() = default;
  // Called on the GUI thread when a modal loop is idle. It must make progress: post a key,
  // let time pass with loop.advance() or loop.waitForWork(), or close the modal widget.
  virtual void idle(eMainloop& loop) = 0;
  // Real time, from waitForWork(): waits at most `us` microseconds for input (keys, window
  // events) and returns true as soon as there is some, false when the time passed without.
  // It may wait in whole milliseconds. The default has no input and sleeps the whole time.
  virtual bool waitForInput(int64_t us);
};

class eTimer {
 public:
  explicit eTimer(eMainloop* context);
  ~eTimer();
  eTimer(const eTimer&) = delete;
  eTimer& operator=(const eTimer&) = delete;

  // Arms the timer `ms` milliseconds from now; restarting re-arms it. A single-shot timer fires
  // once; otherwise it repeats every `ms`.
  void start(long ms, bool singleShot = false);
  void stop();
  bool isActive() const { return active; }
  // When it fires next, in loop microseconds; meaningful only while active.
  int64_t dueUs() const { return due; }
  // A coarse timer need not fire to the millisecond in real time: the loop sleeps right up to
  // it and it fires as late as the system wakes the loop (now and then a millisecond or two).
  // The others the loop waits for without sleeping over their last 2 ms (see waitForWork).
  // Not coarse by default; for timers of the program around the plug-in.
  void setCoarse(bool c) { coarse = c; }

  SigC::Signal0<void> timeout;

 private:
  friend class eMainloop;
  eMainloop* loop;
  bool active = false;
  bool singleShot = false;
  long intervalMs = 0;
  int64_t due = 0;
  uint64_t order = 0;  // start order breaks ties between timers due at the same time
  bool coarse = false;
};

class eMainloop {
 public:
  enum class Time { virtualTime, realTime };
  explicit eMainloop(Time mode = Time::virtualTime);
  ~eMainloop();
  eMainloop(const eMainloop&) = delete;
  eMainloop& operator=(const eMainloop&) = delete;

  bool isVirtual() const { return mode == Time::virtualTime; }
  // Loop time since construction. Safe from any thread.
  int64_t nowUs() const { return isVirtual() ? now.load(std::memory_order_acquire) : realNowUs(); }
  int64_t nowMs() const { return nowUs() / 1000; }

  void setInputDriver(eInputDriver* driver) { inputDriver = driver; }
  // Real time: sleeps until the next timer or deferred call is due, loop time `untilUs` comes,
  // or the input driver reports input, whichever is first, then fires what is due and returns.
  // So a timer fires when it is due, whatever frames the caller draws between two waits. The
  // input driver's wait is coarse; the last 2 ms before a timer that is not coarse are waited
  // here without sleeping (the thread yields the core at every turn), since a woken thread may
  // come back a millisecond or more late. `untilUs` must be finite. In virtual time: advance() up
  // to `untilUs`.
  void waitForWork(int64_t untilUs);
  // Loop time of the next timer or deferred call; INT64_MAX when there is none.
  int64_t nextDueUs() const { return nextDue(); }

  // Runs `fn` on the GUI thread `ms` from now (during advance()). Returns an id for cancel().
  uint64_t callLater(long ms, std::function<void()> fn);
  void cancel(uint64_t id);

  // Lets `ms` milliseconds pass: timers and deferred calls fire in time order on this thread.
  // In virtual time every thread sleeping on the clock whose wake time comes runs in turn, at
  // that time and alone, and advance() returns only once each has slept again or ended; at
  // one instant the timers fire first, then the sleepers wake.
  void advance(long ms);
  // Fires everything already due without letting time pass.
  void processDue();

  // Threads other than the GUI thread that sleep on the clock (the tone thread, through the
  // device models). In real time only sleepUs() does anything: it sleeps for real.
  //
  // GUI thread, just before it starts such a thread: from now on the loop counts the thread
  // as running, so time cannot pass it before its first sleep. The new thread calls
  // adoptThread() before anything else; if it could not be started, call threadNotStarted().
  void threadStarting();
  void threadNotStarted();
  void adoptThread();
  // GUI thread: returns once every such thread sleeps or has ended.
  void waitForThreads();
  // Sleeps the calling thread (not the GUI thread) for `us` of loop time. A thread the loop
  // did not see start becomes known with its first sleep. The loop must outlive the thread.
  void sleepUs(int64_t us);
  // GUI thread, about to poll for those threads without letting time pass (the finder's
  // destructor waits for the tone thread so): until the next advance() or threadStarting(),
  // the clock moves by itself to each sleeper's wake time in turn, so they do not sleep for
  // ever under the poll.
  void letThreadsRun();

  // Keys go to the innermost modal widget.
  void postKey(eKey key);

  // Modal loops (eWidget::exec). Nested loops are allowed; the innermost gets the keys.
  int runModal(eWidget* widget);
  void endModal(eWidget* widget, int result);
  eWidget* topModal() const { return modalStack.empty() ? nullptr : modalStack.back().widget; }
  bool inModal(const eWidget* widget) const;
  // Drops a widget that is going away from the modal stack so no key reaches it.
  void forget(eWidget* widget);

 private:
  friend class eTimer;
  struct Deferred {
    int64_t due;
    uint64_t order;
    uint64_t id;
    std::function<void()> fn;
  };
  struct Modal {
    eWidget* widget;
    bool done;
    int result;
  };

  void addTimer(eTimer* timer);
  void removeTimer(eTimer* timer);
  // Real time: returns at loop time `us`; with `spinLast`, waits the last stretch without
  // sleeping.
  void sleepUntilRealUs(int64_t us, bool spinLast);
  // The earliest due time of timers and deferred calls, or INT64_MAX.
  int64_t nextDue() const;
  // The same without the coarse timers.
  int64_t nextPreciseDue() const;
  // Fires the single earliest item if it is due at or before `limit`; false when none is.
  bool fireOne(int64_t limit);
  void setNow(int64_t us);
  int64_t realNowUs() const;

  Time mode;
  std::atomic<int64_t> now{0};
  int64_t realStartUs = 0;
  eInputDriver* inputDriver = nullptr;
  std::vector<eTimer*> timers;
  std::vector<Deferred> deferred;
  uint64_t nextOrder = 1;
  uint64_t nextId = 1;
  std::deque<eKey> keys;
  std::vector<Modal> modalStack;
  eSleepers sleepers{now};
};

// The host's main loop. Whoever runs the host (test fixture, simulator) creates one and sets it.
extern eMainloop* eApp;
