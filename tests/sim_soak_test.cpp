// A short soak on the built-in receiver: random faults on all three devices, retunes, the green
// key and the "Sound" box, with the descriptors checked all along. CI runs the long one
// (bench/sim_soak, 100000 refreshes) and bounds its memory too.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "profile/profile.h"
#include "soak/soak_run.h"
#include "soak/soak_script.h"

namespace {

TEST(SoakScript, TheSameSeedGivesTheSameScriptAndItTriesEverything) {
  const SoakPlan plan{2000, 7};
  const std::string text = soakScript(plan);
  EXPECT_EQ(text, soakScript(plan));
  EXPECT_NE(text, soakScript(SoakPlan{2000, 8}));

  Script script;
  std::string error;
  ASSERT_TRUE(parseScript(text, "soak", &script, &error)) << error;
  long waitedMs = 0;
  std::map<std::string, int> seen;
  for (const ScriptCommand& c : script.commands) {
    if (c.kind == ScriptCommand::Kind::wait)
      waitedMs += static_cast<long>(c.number);
    if (c.kind == ScriptCommand::Kind::fault)
      ++seen["fault " + c.field];
    if (c.kind == ScriptCommand::Kind::select)
      ++seen["select " + c.widget];
    if (c.kind == ScriptCommand::Kind::key)
      ++seen["key"];
    if (c.kind == ScriptCommand::Kind::toggle)
      ++seen["toggle"];
    if (c.kind == ScriptCommand::Kind::dish)
      ++seen["dish"];
  }
  EXPECT_EQ(waitedMs, 2000 * 250);
  for (const char* kind : {"fault i2c", "fault frontend", "fault audio", "select transponder",
                           "select sat", "key", "toggle", "dish"})
    EXPECT_GT(seen[kind], 5) << kind;
  // It leaves no fault on, so the finder closes on working devices.
  std::map<std::string, bool> on;
  for (const ScriptCommand& c : script.commands) {
    if (c.kind == ScriptCommand::Kind::fault)
      on[c.field + " " + c.operation] = c.on;
  }
  for (const auto& f : on)
    EXPECT_FALSE(f.second) << f.first;
}

TEST(Soak, FourThousandRefreshesWithFaultsLeaveOnlyTheToneThreadsDescriptorOpen) {
  std::map<std::string, int> lines;
  debuglog::setSink([&lines](const std::string& line) { ++lines[line]; });
  Script script;
  std::string error;
  ASSERT_TRUE(parseScript(soakScript(SoakPlan{4000, 3}), "soak", &script, &error)) << error;

  SoakResult result;
  {
    Simulation simulation(defaultProfile(), eMainloop::Time::virtualTime);
    ASSERT_TRUE(simulation.loadModule(VEVOVUVADO_MODULE_PATH, &error)) << error;
    result = runSoak(simulation, script, 100);
    EXPECT_EQ(simulation.loop().nowMs() / 1000, 4000 * 250 / 1000);
  }
  debuglog::setSink(nullptr);

  EXPECT_TRUE(result.ran) << result.error;
  EXPECT_GT(result.checks, 1000);
  EXPECT_EQ(result.badChecks, 0) << result.firstBad;
  EXPECT_EQ(result.openAfter, 0);
  // The faults reached the plug-in, and the tone thread ran from start to end once.
  EXPECT_GT(lines["i2c ioctl fehlgeschlagen -1"], 0);
  EXPECT_GT(lines["sound 0"], 0);
  EXPECT_EQ(lines["Starte VevovuvadoSoundThread"], 1);
  EXPECT_EQ(lines["beende VevovuvadoSoundThread"], 1);
}

}  // namespace
