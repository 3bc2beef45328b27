#include "soak_run.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "script/script_runner.h"

namespace {
// /proc is read once in this many checks: often enough to see a peak, cheap over 100000 lines.
constexpr long kChecksPerRssSample = 64;

class SoakDriver : public eInputDriver {
 public:
  SoakDriver(ScriptRunner& r, Simulation& s, SoakResult& out, long warm)
      : runner(r), simulation(s), result(out), warmUpChecks(warm) {}

  void idle(eMainloop& loop) override {
    check();
    runner.idle(loop);
  }

 private:
  void check() {
    const SimulatedDevices& d = simulation.deviceModels();
    const int bus = d.i2c.openDescriptors();
    const int frontend = d.frontend.openDescriptors();
    const int audio = d.audio.openDescriptors();
    if (bus != 0 || frontend != 0 || audio != 1) {
      if (result.badChecks++ == 0) {
        std::ostringstream what;
        what << "at " << simulation.loop().nowMs() << " ms: i2c " << bus << ", frontend "
             << frontend << ", audio " << audio << " open";
        result.firstBad = what.str();
      }
    }
    const long n = result.checks++;
    if (n == 0)
      result.rssFirstKb = residentKb();
    if (n == warmUpChecks)
      result.rssWarmKb = result.rssPeakKb = residentKb();
    if (n > warmUpChecks && n % kChecksPerRssSample == 0)
      result.rssPeakKb = std::max(result.rssPeakKb, residentKb());
  }

  ScriptRunner& runner;
  Simulation& simulation;
  SoakResult& result;
  const long warmUpChecks;
};
}  // namespace

long residentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0)
      return std::stol(line.substr(6));
  }
  return 0;
}

SoakResult runSoak(Simulation& simulation, const Script& script, long warmUpChecks) {
  SoakResult result;
  ScriptRunner runner(script, "soak", simulation);
  SoakDriver driver(runner, simulation, result, warmUpChecks);
  simulation.runPlugin(driver);
  runner.checkAllRan();
  result.ran = !runner.failed();
  result.error = runner.error();
  result.openAfter = simulation.deviceModels().openDescriptors();
  result.rssEndKb = residentKb();
  result.rssPeakKb = std::max(result.rssPeakKb, result.rssEndKb);
  return result;
}
