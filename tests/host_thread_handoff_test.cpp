// Threads that sleep on the main loop's virtual clock: time is handed over exactly, so each
// thread runs at its wake times and nowhere else, whatever the machine does meanwhile.

#include <gtest/gtest.h>
#include <pthread.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "host/emainloop.h"

namespace {

using std::chrono::milliseconds;

// What ran when, in the order it ran: "A@50" is thread A's pass at 50 ms of loop time.
class RunLog {
 public:
  void add(const std::string& who, int64_t us) {
    std::lock_guard<std::mutex> lock(mutex);
    entries.push_back(who + "@" + std::to_string(us / 1000));
  }
  std::vector<std::string> get() {
    std::lock_guard<std::mutex> lock(mutex);
    return entries;
  }
  size_t size() {
    std::lock_guard<std::mutex> lock(mutex);
    return entries.size();
  }

 private:
  std::mutex mutex;
  std::vector<std::string> entries;
};

// Keeps a core busy for a while, so a thread that is not waited for would fall behind.
void burn(std::chrono::microseconds howLong) {
  const auto until = std::chrono::steady_clock::now() + howLong;
  while (std::chrono::steady_clock::now() < until) {
  }
}

// A thread that logs a pass and sleeps `periodMs`, until `passes` passes are done or stop is
// set. Started as the device models start the tone thread: announced to the loop first.
class PeriodicThread {
 public:
  PeriodicThread(eMainloop& l, RunLog& r, std::string n, long period, int maxPasses = 1 << 30)
      : loop(l), log(r), name(std::move(n)), periodMs(period), passes(maxPasses) {
    loop.threadStarting();
    thread = std::thread([this] { run(); });
  }
  // Ends the thread as the finder's destructor ends the tone thread.
  ~PeriodicThread() {
    stop = true;
    loop.letThreadsRun();
    thread.join();
  }
  std::atomic<bool> stop{false};
  std::atomic<bool> ended{false};
  // Until set, the thread holds before its first pass.
  std::atomic<bool> go{true};

 private:
  void run() {
    loop.adoptThread();
    while (!go.load()) {
    }
    for (int pass = 1;; ++pass) {
      burn(std::chrono::microseconds(200));
      log.add(name, loop.nowUs());
      if (stop.load() || pass >= passes)
        break;
      loop.sleepUs(periodMs * 1000);
    }
    ended = true;
  }

  eMainloop& loop;
  RunLog& log;
  std::string name;
  long periodMs;
  int passes;
  std::thread thread;
};

TEST(ThreadHandoff, SleepersRunAtTheirWakeTimesOneAtATimeAfterTheTimersOfThatInstant) {
  eMainloop loop(eMainloop::Time::virtualTime);
  RunLog log;
  eTimer timer(&loop);
  timer.timeout.connect([&] { log.add("timer", loop.nowUs()); });
  timer.start(60, true);
  PeriodicThread a(loop, log, "A", 30);
  loop.waitForThreads();
  PeriodicThread b(loop, log, "B", 20);
  loop.waitForThreads();

  loop.advance(120);

  // At 60 and 120 both are due: the timer goes first, then the threads in the order in which
  // they went to sleep (A slept at 30 and 90, B at 40 and 100).
  const std::vector<std::string> expected = {"A@0",      "B@0",   "B@20", "A@30", "B@40",
                                             "timer@60", "A@60",  "B@60", "B@80", "A@90",
                                             "B@100",    "A@120", "B@120"};
  EXPECT_EQ(log.get(), expected);
  EXPECT_EQ(loop.nowMs(), 120);
}

TEST(ThreadHandoff, TimeStandsStillBetweenAdvancesHoweverLongTheGuiThreadTakes) {
  eMainloop loop(eMainloop::Time::virtualTime);
  RunLog log;
  PeriodicThread tone(loop, log, "T", 50);
  loop.waitForThreads();
  loop.advance(100);
  ASSERT_EQ(log.size(), 3u);  // 0, 50, 100

  // The GUI thread busy elsewhere (drawing, writing a file): the sleeper must not give up.
  std::this_thread::sleep_for(milliseconds(80));
  EXPECT_EQ(log.size(), 3u);
  EXPECT_EQ(loop.nowMs(), 100);

  loop.advance(100);
  const std::vector<std::string> expected = {"T@0", "T@50", "T@100", "T@150", "T@200"};
  EXPECT_EQ(log.get(), expected);
}

TEST(ThreadHandoff, AThreadThatHasNotReachedItsFirstSleepHoldsTime) {
  eMainloop loop(eMainloop::Time::virtualTime);
  RunLog log;
  PeriodicThread late(loop, log, "L", 50);
  late.go = false;
  std::thread starter([&] {
    std::this_thread::sleep_for(milliseconds(30));
    late.go = true;
  });

  loop.advance(100);  // must not move before the thread's first pass
  starter.join();

  const std::vector<std::string> expected = {"L@0", "L@50", "L@100"};
  EXPECT_EQ(log.get(), expected);
}

struct EndingThread {
  eMainloop* loop;
  RunLog* log;
  static void* run(void* p) {
    auto* self = static_cast<EndingThread*>(p);
    self->loop->adoptThread();
    for (int pass = 0; pass < 3; ++pass) {
      self->log->add("E", self->loop->nowUs());
      self->loop->sleepUs(50000);
    }
    self->log->add("E ends", self->loop->nowUs());
    pthread_exit(nullptr);  // as the tone thread ends
  }
};

TEST(ThreadHandoff, AThreadThatEndedOrNeverStartedIsNotWaitedFor) {
  eMainloop loop(eMainloop::Time::virtualTime);
  RunLog log;
  EndingThread ending{&loop, &log};
  pthread_t thread;
  loop.threadStarting();
  ASSERT_EQ(pthread_create(&thread, nullptr, EndingThread::run, &ending), 0);
  loop.threadStarting();
  loop.threadNotStarted();  // a creation that failed

  loop.advance(1000);

  const std::vector<std::string> expected = {"E@0", "E@50", "E@100", "E ends@150"};
  EXPECT_EQ(log.get(), expected);
  EXPECT_EQ(loop.nowMs(), 1000);
  pthread_join(thread, nullptr);
}

TEST(ThreadHandoff, UnderABusyWaitTheClockRunsOnToTheSleepersWakeTime) {
  eMainloop loop(eMainloop::Time::virtualTime);
  RunLog log;
  PeriodicThread tone(loop, log, "T", 50);
  loop.waitForThreads();
  loop.advance(120);  // the thread sleeps until 150

  // The finder's destructor: stop request, then a poll that never lets time pass.
  tone.stop = true;
  loop.letThreadsRun();
  while (!tone.ended.load()) {
  }

  const std::vector<std::string> expected = {"T@0", "T@50", "T@100", "T@150"};
  EXPECT_EQ(log.get(), expected);
  EXPECT_EQ(loop.nowMs(), 150);
  loop.advance(100);
  EXPECT_EQ(loop.nowMs(), 250);
}

TEST(ThreadHandoff, UnderABusyWaitWithNoThreadNothingMoves) {
  eMainloop loop(eMainloop::Time::virtualTime);
  loop.advance(40);
  loop.letThreadsRun();
  EXPECT_EQ(loop.nowMs(), 40);
  // A thread that sleeps later is handed time by advance() again, not by the free run.
  RunLog log;
  PeriodicThread later(loop, log, "L", 50);
  loop.waitForThreads();
  std::this_thread::sleep_for(milliseconds(20));
  EXPECT_EQ(loop.nowMs(), 40);
  EXPECT_EQ(log.size(), 1u);
}

}  // namespace
