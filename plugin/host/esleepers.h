#pragma once
// The threads other than the GUI thread that sleep on the main loop's virtual clock (the tone
// thread, through the device models), and the exact hand-off of time between them and the GUI
// thread. The loop knows each such thread from its start (or its first sleep) to its end, and
// at every moment either the GUI thread runs or exactly one of these threads does:
//  - while the GUI thread lets time pass, it wakes the sleepers one at a time, in the order of
//    their wake times, and goes on only once the woken thread sleeps again or has ended;
//  - a thread that is starting counts as running until its first sleep, so time cannot move
//    past a thread that was created but has not yet gone to sleep.
// Nothing here waits on the wall clock, so a loaded machine runs the same sequence, only slower.
// A hand-off takes place 20 times per second of virtual time with the tone thread alone, so each
// side waits for the other a short while without the kernel before it blocks there.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

class eSleepers {
 public:
  // `clock` is the loop's virtual time in microseconds; only the GUI thread moves it, except
  // while the sleepers run free (runFree()).
  explicit eSleepers(std::atomic<int64_t>& clock);
  ~eSleepers();
  eSleepers(const eSleepers&) = delete;
  eSleepers& operator=(const eSleepers&) = delete;

  // GUI thread: a thread that will sleep here is about to start; it counts as running from
  // now. The new thread calls adopt() first; if it could not be started, call notStarted().
  void starting();
  void notStarted();
  // On the new thread, before anything else. Its end (pthread_exit or return) is noticed
  // through a thread-local object, so the loop must outlive the thread.
  void adopt();

  // On a thread other than the GUI thread: sleeps until the GUI thread (or runFree) wakes it
  // at `wakeUs`. A thread that was not adopted becomes known here.
  void sleepUntil(int64_t wakeUs);

  // GUI thread: returns once every known thread sleeps or has ended.
  void settle();
  // GUI thread: wakes the sleeper with the earliest wake time if that is at most `limitUs` (in
  // the order they went to sleep among equal times), and returns once it sleeps again or has
  // ended. False when no sleeper is due by then.
  bool runOneDue(int64_t limitUs);
  // The earliest wake time of the sleepers, or INT64_MAX when none sleeps.
  int64_t earliestWake();

  // GUI thread, about to poll for the other threads without letting time pass: from now on the
  // clock moves by itself to each sleeper's wake time in turn, one sleeper running at a time,
  // until stopRunningFree(), a new thread starts, or no thread is left.
  void runFree();
  void stopRunningFree();

 private:
  friend struct eSleeperMembership;

  // A word that one thread waits on until another changes it: the waiter spins a moment (the
  // other side is usually quick), then blocks in the kernel on the word itself (a futex).
  // Changes with sequential consistency, so a change never slips past a waiter about to block.
  class Word {
   public:
    int load() const { return value.load(std::memory_order_acquire); }
    void set(int v);
    void add(int delta);
    // Returns once done(value) holds.
    template <typename Done>
    void waitUntil(Done done);

   private:
    void wakeWaiters();
    std::atomic<int> value{0};
    std::atomic<int> blocked{0};
  };

  // A member thread's sleep; one per thread, in its thread-local membership.
  struct Sleeper {
    int64_t wakeUs = 0;
    uint64_t order = 0;
    Word woken;
  };

  void join();  // counts the calling thread as a running member (lock held)
  void ended();
  // The calling member thread stops running (it sleeps now, or ends).
  void stopped();
  // With the lock held: when nothing runs and the sleepers run free, wakes the next one.
  void freeStep();
  Sleeper* earliest() const;
  void wake(Sleeper* sleeper);  // lock held

  std::atomic<int64_t>& clock;
  std::mutex mutex;
  std::vector<Sleeper*> sleeping;
  uint64_t nextOrder = 0;
  int members = 0;  // known threads that have not ended (or are about to start)
  Word running;     // of these, the ones not asleep
  std::atomic<bool> runningFree{false};
};
