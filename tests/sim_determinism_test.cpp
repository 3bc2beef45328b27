// One script on one profile gives the same bytes every run: dumps, window image, debug log and
// WAV, also while the machine is busy with other work.

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "sim_support/run_simulator.h"

namespace {

using namespace simtest;

// The tone thread playing through retunes, pitch changes, audio and bus faults, the green key
// and a window image that takes the GUI thread a while.
const char* const kScript =
    "dish 1.5 0.5\n"
    "toggle sound\n"
    "wait 700\n"
    "dish 0.2 0\n"
    "wait 900\n"
    "dump a.json\n"
    "png a.png\n"
    "select transponder 2\n"
    "wait 600\n"
    "fault audio ioctl on\n"
    "wait 300\n"
    "fault audio ioctl off\n"
    "toggle sound\n"
    "wait 400\n"
    "toggle sound\n"
    "key green\n"
    "wait 500\n"
    "dump b.json\n"
    "fault i2c read on\n"
    "wait 300\n"
    "fault i2c read off\n"
    "wait 250\n";

const char* const kOutputs[] = {"a.json", "b.json", "a.png", "debug.log", "tone.wav"};

std::string runOnce() {
  const std::string dir = freshFolder();
  const SimRun run = runScript(dir, kScript, "", {"--wav", "tone.wav"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  return dir;
}

// Keeps every core busy while it lives.
class BusyCores {
 public:
  BusyCores() {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned i = 0; i < cores; ++i) {
      spinners.emplace_back([this] {
        unsigned long spins = 0;
        while (!stop.load(std::memory_order_relaxed))
          ++spins;
        sink += spins;
      });
    }
  }
  ~BusyCores() {
    stop = true;
    for (std::thread& t : spinners)
      t.join();
  }

 private:
  std::atomic<bool> stop{false};
  std::atomic<unsigned long> sink{0};
  std::vector<std::thread> spinners;
};

TEST(SimDeterminism, TheSameScriptGivesTheSameBytesAloneAndSideBySideOnABusyMachine) {
  std::vector<std::string> runs;
  for (int i = 0; i < 3; ++i)
    runs.push_back(runOnce());
  {
    BusyCores busy;
    std::string left;
    std::string right;
    std::thread other([&] { right = runOnce(); });
    left = runOnce();
    other.join();
    runs.push_back(left);
    runs.push_back(right);
  }

  // Something to compare: the tone played, and the thread started and ended.
  const Wav wav = readWav(runs[0] + "/tone.wav");
  int sounding = 0;
  for (double s : wav.samples)
    sounding += s != 0 ? 1 : 0;
  EXPECT_GT(sounding, 12000) << "at least a second of tone";
  const auto log = readLines(runs[0] + "/debug.log");
  EXPECT_EQ(countLinesStartingWith(log, "Starte VevovuvadoSoundThread"), 1);
  EXPECT_EQ(countLinesStartingWith(log, "beende VevovuvadoSoundThread"), 1);

  for (const char* name : kOutputs) {
    const std::string first = readFile(runs[0] + "/" + name);
    ASSERT_FALSE(first.empty()) << name;
    for (size_t i = 1; i < runs.size(); ++i)
      EXPECT_TRUE(readFile(runs[i] + "/" + name) == first) << name << " differs in run " << i + 1;
  }
}

}  // namespace
