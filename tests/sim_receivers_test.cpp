// End to end on the shipped profiles: cable, terrestrial and the skin element.

#include <gtest/gtest.h>

#include <cstdlib>

#include "sim_support/run_simulator.h"

using namespace simtest;
using json = nlohmann::json;

TEST(SimReceivers, CableReceiverShowsItsMessageBoxWhichOkDismisses) {
  const std::string dir = freshFolder();
  const SimRun run = runScript(
      dir, "dump box.json\npng box.png\nkey ok\nwait 300\ndump after.json\n", profilePath("cable"));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json box = readJson(dir + "/box.json");
  ASSERT_EQ(box["message_boxes"].size(), 1u);
  EXPECT_EQ(box["message_boxes"][0]["text"], "DVB-C wird noch nicht unterstützt.");
  EXPECT_EQ(box["message_boxes"][0]["caption"], "Sorry");
  // The window exists while its constructor shows the box, and has no widgets of its own.
  ASSERT_FALSE(box["window"].is_null());
  EXPECT_EQ(box["widgets"].size(), 1u);
  EXPECT_EQ(readFile(dir + "/box.png").substr(1, 3), "PNG");
  const json after = readJson(dir + "/after.json");
  EXPECT_EQ(after["window"]["visible"], true);
  EXPECT_EQ(after["receiver"]["tune_count"], 0);
  EXPECT_EQ(after["receiver"]["tone_thread"], "none");
  const auto log = readLines(dir + "/debug.log");
  EXPECT_EQ(countLinesStartingWith(log, "DVB-C wird noch nicht unterstützt"), 1);
}

TEST(SimReceivers, TerrestrialWindowRefreshesAndRetunesOnAChannelChoice) {
  const std::string dir = freshFolder();
  const SimRun run = runScript(dir,
                               "wait 1100\ndump first.json\n"
                               "select transponder 0\nwait 1000\ndump tuned.json\n"
                               "dish 70 0\nwait 600\ndump lost.json\n",
                               profilePath("terrestrial"));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json first = readJson(dir + "/first.json");
  EXPECT_EQ(first["window"]["title"], "Signalfind");
  EXPECT_EQ(first["window"]["help_id"], 44);
  // The widgets in the order they were made.
  std::vector<std::string> names;
  for (const auto& w : first["widgets"])
    names.push_back(w["name"]);
  EXPECT_EQ(names, (std::vector<std::string>{"", "snr", "agc", "ber", "sync", "lock", "snr_num",
                                             "agc_num", "ber_num", "sat", "transponder", "lSat"}));
  EXPECT_EQ(widgetNamed(first, "sat")["entries"], json({"Berlin", "Hamburg"}));
  EXPECT_EQ(widgetNamed(first, "transponder")["entries"],
            json({"474000 kHz", "522000 kHz", "658000 kHz"}));
  EXPECT_EQ(widgetNamed(first, "transponder")["current"], 1);
  EXPECT_EQ(widgetNamed(first, "lSat")["text"], "Region:");
  EXPECT_EQ(first["receiver"]["tune_count"], 0);
  // 24 dB less 0.75 dB of pointing loss, as a share of 30 dB: about 77 %.
  const int snr = std::atoi(widgetNamed(first, "snr_num")["text"].get<std::string>().c_str());
  EXPECT_NEAR(snr, 77, 3);
  EXPECT_EQ(widgetNamed(first, "lock")["checked"], true);
  EXPECT_EQ(widgetNamed(first, "sync")["checked"], true);

  const json tuned = readJson(dir + "/tuned.json");
  EXPECT_EQ(tuned["receiver"]["tune_count"], 1);
  EXPECT_EQ(tuned["receiver"]["tuned"]["terrestrial"]["centre_frequency"], 474000000);
  EXPECT_EQ(tuned["receiver"]["tone_thread"], "none");

  const json lost = readJson(dir + "/lost.json");
  EXPECT_EQ(widgetNamed(lost, "lock")["checked"], false);
  EXPECT_EQ(widgetNamed(lost, "ber_num")["text"], "65535");

  const auto log = readLines(dir + "/debug.log");
  // Four refreshes a second, each logging two lines.
  EXPECT_GE(countLinesStartingWith(log, "[Beamseek] SNR "), 2 * 4 * 2);
}

TEST(SimReceivers, SkinElementLaysOutTheSatelliteWindow) {
  const std::string dir = freshFolder();
  const SimRun run =
      runScript(dir, "dish 0 0\nwait 600\ndump d.json\n", profilePath("satellite_kelvorn_skin"));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json d = readJson(dir + "/d.json");
  EXPECT_EQ(d["window"]["title"], "kelvorn's Vevovuvado Test3");
  EXPECT_EQ(d["window"]["width"], 500);
  EXPECT_EQ(d["window"]["height"], 300);
  EXPECT_EQ(d["window"]["x"], 110);
  EXPECT_EQ(widgetNamed(d, "sound"), nullptr);
  EXPECT_EQ(widgetNamed(d, "snr_num")["font"], "eBeamseek.value");
  EXPECT_EQ(widgetNamed(d, "transponder")["y"], 262);
  EXPECT_EQ(widgetNamed(d, "lock")["checked"], true);
}

TEST(SimReceivers, Stv0288HidesItsFirstAgc) {
  const std::string dir = freshFolder();
  const SimRun run =
      runScript(dir, "dish 0 0\nwait 600\ndump d.json\n", profilePath("satellite_stv0288"));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json d = readJson(dir + "/d.json");
  EXPECT_EQ(widgetNamed(d, "agc1")["visible"], false);
  EXPECT_EQ(widgetNamed(d, "agc")["height"], 30);
  EXPECT_EQ(widgetNamed(d, "transponder")["current"], 1);
  EXPECT_EQ(d["receiver"]["tuned"]["satellite"]["frequency"], 11954000);
  const auto log = readLines(dir + "/debug.log");
  EXPECT_EQ(countLinesStartingWith(log, "[Vevovuvado] STV0288"), 1);
}
