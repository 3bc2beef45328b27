// The simulator's panel, built from a real run of the plug-in on each kind of receiver: it
// shows a dish, its keys, a lock and a tone only where the receiver has them, and its value
// changes exactly when something it shows does.

#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>

#include "panel_content.h"
#include "sim_support/run_simulator.h"
#include "simulation.h"

using namespace simtest;

namespace {
// Lets `ms` of host time pass in the finder's first idle moment, hands the simulation to
// `look`, then closes whatever is open.
class LookAfter : public eInputDriver {
 public:
  LookAfter(Simulation& s, long ms, std::function<void(Simulation&)> f)
      : simulation(s), wait(ms), look(std::move(f)) {}
  void idle(eMainloop& loop) override {
    if (!looked) {
      looked = true;
      loop.advance(wait);
      look(simulation);
    }
    loop.postKey(eKey::exit);
  }

 private:
  Simulation& simulation;
  long wait;
  std::function<void(Simulation&)> look;
  bool looked = false;
};

Profile profileNamed(const std::string& name) {
  Profile profile = defaultProfile();
  std::string error;
  if (!name.empty()) {
    EXPECT_TRUE(loadProfile(profilePath(name), &profile, &error)) << error;
  }
  return profile;
}

// Runs the plug-in on `profile` and returns the panel after `ms` of host time.
PanelView panelAfter(const Profile& profile, long ms,
                     const std::function<void(Simulation&)>& before = nullptr) {
  Simulation simulation(profile, eMainloop::Time::virtualTime);
  std::string error;
  EXPECT_TRUE(simulation.loadModule(VEVOVUVADO_MODULE_PATH, &error)) << error;
  PanelView panel;
  LookAfter driver(simulation, ms, [&](Simulation& s) {
    if (before)
      before(s);
    panel = s.panel();
  });
  simulation.runPlugin(driver);
  return panel;
}

std::vector<std::string> labels(const PanelView& view) {
  std::vector<std::string> out;
  for (const PanelRow& row : view.rows)
    out.push_back(row.label);
  return out;
}

std::string legendText(const PanelView& view) {
  std::string text;
  for (const LegendRow& row : view.legend)
    text += row.keys + " " + row.action + "\n";
  return text;
}

const PanelRow* rowNamed(const PanelView& view, const std::string& label) {
  for (const PanelRow& row : view.rows) {
    if (row.label == label)
      return &row;
  }
  return nullptr;
}
}  // namespace

TEST(SimPanel, SatelliteReceiverShowsTheDishLockToneChartAndTheOtherSatellites) {
  const PanelView view = panelAfter(profileNamed(""), 1500);
  EXPECT_EQ(view.title, "Satellite receiver \xC2\xB7 STV0299B");
  EXPECT_EQ(labels(view),
            (std::vector<std::string>{"Tuned", "Dish", "Signal", "Carrier", "Tone", "Peak"}));
  EXPECT_EQ(rowNamed(view, "Tuned")->value, "11836 MHz H  27500 kSym  19.2E");
  // The built-in dish starts 3 degrees east and 1 up: far off, no lock, nothing to hear.
  EXPECT_EQ(rowNamed(view, "Dish")->value, "az +3.00\xC2\xB0  el +1.00\xC2\xB0  3.16\xC2\xB0 off");
  EXPECT_EQ(rowNamed(view, "Carrier")->value, "no lock (needs 3.0 dB)");
  EXPECT_EQ(rowNamed(view, "Tone")->value, "off (tick Sound)");
  const std::string keys = legendText(view);
  for (const char* needed : {"W A S D", "Sound", "lists", "F2 g", "Esc", "Enter", "P "})
    EXPECT_NE(keys.find(needed), std::string::npos) << needed << " in\n" << keys;

  ASSERT_TRUE(view.chart.has_value());
  EXPECT_TRUE(view.chart->hasPitchLane);
  EXPECT_FALSE(view.chart->shownInPercent);
  EXPECT_EQ(view.chart->points.size(), 6u);  // refreshes at 250 ... 1500 ms
  EXPECT_EQ(view.chart->lockThresholdDb, 3.0);
  ASSERT_TRUE(view.pointing.has_value());
  EXPECT_EQ(view.pointing->azimuthDeg, 3.0);
  EXPECT_EQ(view.pointing->elevationDeg, 1.0);
  EXPECT_EQ(view.pointing->beamwidthDeg, 2.0);
  EXPECT_GE(view.pointing->spanDeg, 3.16);
  EXPECT_EQ(view.pointing->centreLabel, "19.2E");
  // 13.0E to the west, 28.2E to the east: where the dish finds them.
  EXPECT_EQ(view.pointing->marks,
            (std::vector<PointingMark>{{-6.2, 0, "13.0E"}, {9.0, 0, "28.2E"}}));
}

TEST(SimPanel, TerrestrialReceiverHasAnAntennaAndLockButNoTone) {
  const PanelView view = panelAfter(profileNamed("terrestrial"), 1500);
  EXPECT_EQ(view.title, "Terrestrial receiver");
  EXPECT_EQ(labels(view),
            (std::vector<std::string>{"Tuned", "Antenna", "Signal", "Carrier", "Peak"}));
  const std::string keys = legendText(view);
  EXPECT_NE(keys.find("aim the antenna"), std::string::npos) << keys;
  EXPECT_EQ(keys.find("Sound"), std::string::npos) << keys;
  EXPECT_EQ(keys.find("green"), std::string::npos) << keys;
  ASSERT_TRUE(view.chart.has_value());
  EXPECT_FALSE(view.chart->hasPitchLane);
  EXPECT_TRUE(view.chart->shownInPercent);
  ASSERT_TRUE(view.pointing.has_value());
  EXPECT_TRUE(view.pointing->marks.empty());
  EXPECT_NE(rowNamed(view, "Peak")->value.find('%'), std::string::npos)
      << rowNamed(view, "Peak")->value;
}

TEST(SimPanel, CableReceiverHasNoDishLockChartOrDishKeys) {
  // The finder answers a cable receiver with its message box; the panel says so and no more.
  const PanelView view = panelAfter(profileNamed("cable"), 500);
  EXPECT_EQ(view.title, "Cable receiver");
  EXPECT_EQ(labels(view), std::vector<std::string>{"Finder"});
  EXPECT_FALSE(view.chart.has_value());
  EXPECT_FALSE(view.pointing.has_value());
  const std::string keys = legendText(view);
  EXPECT_EQ(keys.find("W A S D"), std::string::npos) << keys;
  EXPECT_NE(keys.find("message box"), std::string::npos) << keys;
}

TEST(SimPanel, WithoutAnAudioDeviceThereIsNoPitchLane) {
  Profile profile = profileNamed("");
  profile.audioDevice = false;
  const PanelView view = panelAfter(profile, 1000);
  EXPECT_EQ(rowNamed(view, "Tone")->value, "no audio device");
  ASSERT_TRUE(view.chart.has_value());
  EXPECT_FALSE(view.chart->hasPitchLane);
}

TEST(SimPanel, ToneRowGivesThePitchThatPlays) {
  const PanelView view = panelAfter(profileNamed(""), 1000, [](Simulation& s) {
    s.signalModel().setPointingError(0, 0);
    dynamic_cast<eCheckbox*>(s.findWidget("sound"))->toggle();
    s.loop().advance(1000);
  });
  const std::string tone = rowNamed(view, "Tone")->value;
  // About 12 dB: a step near 120, 1406 Hz.
  EXPECT_NE(tone.find(" Hz (step 1"), std::string::npos) << tone;
  EXPECT_EQ(rowNamed(view, "Carrier")->value, "locked");
}

TEST(SimPanel, ValueChangesExactlyWhenSomethingShownChanges) {
  Simulation simulation(profileNamed(""), eMainloop::Time::virtualTime);
  std::string error;
  ASSERT_TRUE(simulation.loadModule(VEVOVUVADO_MODULE_PATH, &error)) << error;
  LookAfter driver(simulation, 1000, [](Simulation& s) {
    const PanelView first = s.panel();
    EXPECT_EQ(s.panel(), first);  // nothing happened in between
    s.signalModel().setPointingError(2.5, 1.0);
    EXPECT_NE(s.panel(), first);  // the dish moved
    const PanelView moved = s.panel();
    s.loop().advance(100);  // time passes, but no refresh: nothing shown changes
    EXPECT_EQ(s.panel(), moved);
    s.loop().advance(150);  // a refresh: the chart grows
    EXPECT_NE(s.panel(), moved);
    EXPECT_EQ(s.panel().chart->points.size(), moved.chart->points.size() + 1);
  });
  simulation.runPlugin(driver);
}

TEST(SimPanel, PeakHoldKeepsTheBestShownReadingUntilForgotten) {
  const PanelView view = panelAfter(profileNamed(""), 0, [](Simulation& s) {
    s.signalModel().setPointingError(0.25, -0.1);
    s.loop().advance(1000);
    s.signalModel().setPointingError(1.5, 0);
    s.loop().advance(1000);
    const std::string best = rowNamed(s.panel(), "Peak")->value;
    EXPECT_EQ(best.rfind("best 11.", 0), 0u) << best;
    EXPECT_NE(best.find("at az +0.25, el -0.10"), std::string::npos) << best;
    s.resetPeak();
    EXPECT_EQ(rowNamed(s.panel(), "Peak")->value, "best: none yet");
    s.loop().advance(250);
  });
  // After the reset only the new position's readings count: 12 dB less 6.75.
  const std::string best = rowNamed(view, "Peak")->value;
  EXPECT_EQ(best.rfind("best 5.", 0), 0u) << best;
  EXPECT_NE(best.find("at az +1.50, el +0.00"), std::string::npos) << best;
}
