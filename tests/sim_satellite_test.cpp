// End to end on the built-in satellite receiver: the simulator runs the real module from a
// script and the dumps and logs show what a person would see.

#include <gtest/gtest.h>

#include <cstdlib>

#include "profile/profile.h"
#include "sim_support/run_simulator.h"

using namespace simtest;
using json = nlohmann::json;

namespace {
double snrShown(const json& dump) {
  return std::atof(widgetNamed(dump, "snr_num")["text"].get<std::string>().c_str());
}

std::string defaultProfileWith(const std::string& pointer, const json& value) {
  json doc = json::parse(defaultProfileJson());
  doc[json::json_pointer(pointer)] = value;
  return doc.dump(2);
}
}  // namespace

TEST(SimSatellite, StartUpTunesTheServiceAndShowsTheSignal) {
  const std::string dir = freshFolder();
  const SimRun run = runScript(dir, "dish 0 0\nwait 1000\ndump start.json\n");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json d = readJson(dir + "/start.json");
  ASSERT_FALSE(d.is_discarded());
  EXPECT_EQ(d["time_ms"], 1000);
  EXPECT_EQ(d["window"]["title"], "kelvorn's Vevovuvado 0.6");
  EXPECT_EQ(d["window"]["width"], 500);
  EXPECT_EQ(d["window"]["height"], 380);
  EXPECT_EQ(d["window"]["help_id"], 44);
  EXPECT_EQ(d["window"]["visible"], true);
  EXPECT_EQ(d["widgets"][0]["kind"], "window");

  EXPECT_NEAR(snrShown(d), 12.0, 0.5);
  EXPECT_EQ(widgetNamed(d, "snr_num")["foreground"], "std_green");
  EXPECT_EQ(widgetNamed(d, "lock")["checked"], true);
  EXPECT_EQ(widgetNamed(d, "sync")["checked"], true);
  EXPECT_EQ(widgetNamed(d, "fec")["text"], "FEC 1/2");
  EXPECT_EQ(widgetNamed(d, "sym_num")["text"], " 27.500 kSym");
  // 11836 MHz less the LNB's 1.2 MHz drift, within the model's wander.
  const double mhz = std::atof(widgetNamed(d, "freq_num")["text"].get<std::string>().c_str());
  EXPECT_NEAR(mhz, 11834.8, 0.3);
  EXPECT_NE(widgetNamed(d, "freq_num")["text"].get<std::string>().find("MHz/H"), std::string::npos);
  const json sat = widgetNamed(d, "sat");
  EXPECT_EQ(sat["entries"], json({"Satellite 19.2E", "Satellite 13.0E"}));
  EXPECT_EQ(sat["current"], 0);
  EXPECT_EQ(widgetNamed(d, "transponder")["entries"][0], "11836 / 27500 / H");

  const json& rx = d["receiver"];
  EXPECT_EQ(rx["tune_count"], 1);
  EXPECT_EQ(rx["tuned"]["satellite"]["frequency"], 11836000);
  EXPECT_EQ(rx["save_power_count"], 0);
  EXPECT_EQ(rx["tone_thread"], "running");
  EXPECT_EQ(rx["open_descriptors"], json({{"i2c", 0}, {"frontend", 0}, {"audio", 1}}));
  EXPECT_TRUE(d["message_boxes"].empty());

  const auto log = readLines(dir + "/debug.log");
  EXPECT_EQ(countLinesStartingWith(log, "[Vevovuvado] STV0299B"), 1);
  EXPECT_EQ(countLinesStartingWith(log, "SoundThread ist beendet"), 1);
}

TEST(SimSatellite, PointingErrorSetsSnrLockAndColour) {
  struct Case {
    double azimuth, elevation;
    double snr;  // the model's SNR: 12 dB less the pointing loss
    bool locked;
    const char* colour;
  };
  const Case cases[] = {
      {0, 0, 12.0, true, "std_green"},     {1.0, 0, 9.0, true, "std_green"},
      {0, 1.5, 5.25, true, "std_dyellow"}, {1.6, 0, 4.32, true, "std_red"},
      {2.0, 0, 0.0, false, "std_red"},
  };
  std::string script;
  for (size_t i = 0; i < std::size(cases); ++i) {
    script += "dish " + std::to_string(cases[i].azimuth) + " " +
              std::to_string(cases[i].elevation) + "\nwait 600\ndump d" + std::to_string(i) +
              ".json\n";
  }
  const std::string dir = freshFolder();
  const SimRun run = runScript(dir, script);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  for (size_t i = 0; i < std::size(cases); ++i) {
    const json d = readJson(dir + "/d" + std::to_string(i) + ".json");
    EXPECT_NEAR(snrShown(d), cases[i].snr, 0.45) << i;
    EXPECT_EQ(widgetNamed(d, "lock")["checked"], cases[i].locked) << i;
    EXPECT_EQ(widgetNamed(d, "snr_num")["foreground"], cases[i].colour) << i;
  }
}

TEST(SimSatellite, ChoosingAnotherTransponderRetunesAndTheSameOneDoesNot) {
  const std::string dir = freshFolder();
  const SimRun run = runScript(dir,
                               "dish 0 0\nwait 500\n"
                               "select transponder 2\nwait 1000\ndump other.json\n"
                               "select transponder 2\nwait 500\ndump same.json\n");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json other = readJson(dir + "/other.json");
  EXPECT_EQ(other["receiver"]["tune_count"], 2);
  EXPECT_EQ(other["receiver"]["tuned"]["satellite"]["frequency"], 12188000);
  EXPECT_EQ(widgetNamed(other, "transponder")["current"], 2);
  const double mhz = std::atof(widgetNamed(other, "freq_num")["text"].get<std::string>().c_str());
  EXPECT_NEAR(mhz, 12186.8, 0.3);
  EXPECT_EQ(widgetNamed(other, "lock")["checked"], true);
  const json same = readJson(dir + "/same.json");
  EXPECT_EQ(same["receiver"]["tune_count"], 2);
}

TEST(SimSatellite, AnotherSatelliteIsFoundByTurningTheDishTowardsIt) {
  // The dish aims at 19.2E; 13.0E lies 6.2 degrees to the west (negative azimuth).
  const std::string dir = freshFolder();
  const SimRun run = runScript(dir,
                               "select sat 1\n"
                               "dish -6.2 0\nwait 1000\ndump west.json\n"
                               "dish 6.2 0\nwait 1000\ndump east.json\n");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json west = readJson(dir + "/west.json");
  EXPECT_EQ(west["receiver"]["tuned"]["satellite"]["orbital_position"], 130);
  EXPECT_NEAR(snrShown(west), 12.0, 0.5);
  EXPECT_EQ(widgetNamed(west, "lock")["checked"], true);
  const json east = readJson(dir + "/east.json");
  EXPECT_EQ(widgetNamed(east, "lock")["checked"], false);
}

TEST(SimSatellite, GreenKeyTwiceGoesCompactAndBack) {
  const std::string dir = freshFolder();
  const SimRun run = runScript(dir,
                               "wait 500\nkey green\nwait 300\ndump compact.json\n"
                               "key green\nwait 300\ndump full.json\n");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json compact = readJson(dir + "/compact.json");
  const json full = readJson(dir + "/full.json");
  for (const char* name : {"agc", "freq_num", "sym_num", "tuner_offset"}) {
    EXPECT_EQ(widgetNamed(compact, name)["visible"], false) << name;
    EXPECT_EQ(widgetNamed(full, name)["visible"], true) << name;
  }
  EXPECT_EQ(widgetNamed(compact, "snr_num")["font"], "eAboutScreen.machine");
  bool hasGreenButton = false;
  for (const auto& w : full["widgets"]) {
    hasGreenButton = hasGreenButton || (w["kind"] == "button" && w["shortcut"] == "green");
  }
  EXPECT_TRUE(hasGreenButton);
  const auto log = readLines(dir + "/debug.log");
  EXPECT_EQ(countLinesStartingWith(log, "[Vevovuvado] SwichtSkinExec verlassen"), 2);
}

TEST(SimSatellite, MissingAudioDeviceLeavesTheToneOutAndTheRestWorking) {
  const std::string dir = freshFolder();
  writeFile(dir + "/p.json", defaultProfileWith("/audio_device", false));
  const SimRun run = runScript(dir, "dish 0 0\nwait 500\ntoggle sound\nwait 1000\ndump d.json\n",
                               "p.json", {"--wav", "tone.wav"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json d = readJson(dir + "/d.json");
  EXPECT_EQ(d["receiver"]["tone_thread"], "none");
  EXPECT_EQ(d["receiver"]["open_descriptors"]["audio"], 0);
  EXPECT_EQ(widgetNamed(d, "sound")["checked"], true);
  EXPECT_EQ(widgetNamed(d, "lock")["checked"], true);
  const auto log = readLines(dir + "/debug.log");
  EXPECT_EQ(countLinesStartingWith(log, "kein Sounddevice"), 1);
  const Wav wav = readWav(dir + "/tone.wav");
  ASSERT_EQ(wav.rate, 12000);
  ASSERT_EQ(wav.samples.size(), 18000u);  // 1.5 s of silence
  for (double s : wav.samples)
    ASSERT_EQ(s, 0.0);
}

TEST(SimSatellite, PinnedRegistersAndFrontendOverrideTheModelUntilReleased) {
  const std::string dir = freshFolder();
  const SimRun run =
      runScript(dir,
                "dish 0 0\nwait 500\n"
                "reg 0x68 0x24 0 0\nfrontend if 1996000\nwait 300\ndump pinned.json\n"
                "unreg 0x68 0x24\nwait 300\ndump released.json\n");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json pinned = readJson(dir + "/pinned.json");
  EXPECT_EQ(widgetNamed(pinned, "snr_num")["text"], "19.2dB");
  // The high band's 10600 MHz plus the pinned 1996 MHz, less the carrier offset.
  const double mhz = std::atof(widgetNamed(pinned, "freq_num")["text"].get<std::string>().c_str());
  EXPECT_NEAR(mhz, 12594.8, 0.3);
  EXPECT_NEAR(snrShown(readJson(dir + "/released.json")), 12.0, 0.5);
}

TEST(SimSatellite, DeviceFaultsReachThePlugInAndNoDescriptorLeaks) {
  const std::string dir = freshFolder();
  const SimRun run = runScript(dir,
                               "dish 0 0\nwait 500\nfault i2c read on\nfault frontend ioctl on\n"
                               "wait 300\ndump faulty.json\n"
                               "fault i2c read off\nfault frontend ioctl off\nwait 300\n"
                               "dump healed.json\n");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json faulty = readJson(dir + "/faulty.json");
  // Every register read fails: the finder must not show a perfect, locked signal then.
  EXPECT_LT(snrShown(faulty), 0.0);
  EXPECT_EQ(widgetNamed(faulty, "lock")["checked"], false);
  EXPECT_EQ(widgetNamed(faulty, "fec")["text"], "FEC");
  EXPECT_EQ(faulty["receiver"]["open_descriptors"],
            json({{"i2c", 0}, {"frontend", 0}, {"audio", 1}}));
  EXPECT_NEAR(snrShown(readJson(dir + "/healed.json")), 12.0, 0.5);
  const auto log = readLines(dir + "/debug.log");
  EXPECT_GE(countLinesStartingWith(log, "Fehler bein FE_GET_FRONTEND"), 1);
}

TEST(SimSatellite, ScriptLineThatCannotBeCarriedOutStopsWithItsLineNumber) {
  struct Case {
    const char* script;
    const char* message;
  };
  const Case cases[] = {
      {"wait 100\nselect nosuch 0\n", "script.txt:2: no widget named \"nosuch\""},
      {"select transponder 40\n", "script.txt:1: \"transponder\" has 6 entries, no entry 40"},
      {"# first\ntoggle transponder\n",
       "script.txt:2: \"transponder\" is a combobox, not a check box"},
      {"select sound 0\n", "script.txt:1: \"sound\" is a checkbox, not a combo box"},
      {"dump /nonexistent/d.json\n", "script.txt:1: /nonexistent/d.json: cannot write the dump"},
      {"wait 100\nkey exit\nwait 100\ndump late.json\n",
       "script.txt:3: not run: the finder closed before this line"},
  };
  for (const Case& c : cases) {
    const std::string dir = freshFolder();
    const SimRun run = runScript(dir, c.script);
    EXPECT_EQ(run.exitCode, 2) << c.script;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
}
