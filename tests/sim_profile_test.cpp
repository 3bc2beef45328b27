// Receiver profiles: the built-in one describes the stand-in's default receiver, the shipped
// ones load, and every kind of bad document gets one message naming the file and the place.

#include <gtest/gtest.h>

#include <iterator>

#include "host/receiver.h"
#include "profile/profile.h"
#include "profile/profile_apply.h"
#include "profile/transponder_json.h"

namespace {
using json = nlohmann::json;

// What a receiver describes, as JSON, so two receivers compare in one assertion.
json describe(StandInReceiver& receiver) {
  receiver.install();
  json d;
  d["frontend_type"] = eFrontend::getInstance()->Type();
  d["reception_type"] = eSystemInfo::getInstance()->getReceptionType();
  for (eLNB& lnb : receiver.lnbs()) {
    json l{{"hi", lnb.lof_hi}, {"lo", lnb.lof_lo}, {"threshold", lnb.lof_threshold}};
    for (const eSatellite& s : lnb.satellites) {
      l["satellites"].push_back({s.orbital_position, s.description});
    }
    d["lnbs"].push_back(l);
  }
  for (const tpPacket& n : receiver.networks()) {
    json net{{"name", n.name}, {"position", n.orbital_position}};
    for (const eTransponder& tp : n.possibleTransponders) {
      net["transponders"].push_back(transponderToJson(tp));
    }
    d["networks"].push_back(net);
  }
  d["current"] = receiver.currentTransponder() ? transponderToJson(*receiver.currentTransponder())
                                               : json(nullptr);
  receiver.uninstall();
  return d;
}

std::string withChange(const std::string& pointer, const json& value) {
  json doc = json::parse(defaultProfileJson());
  doc[json::json_pointer(pointer)] = value;
  return doc.dump();
}

std::string without(const std::string& parent, const std::string& key) {
  json doc = json::parse(defaultProfileJson());
  doc[json::json_pointer(parent)].erase(key);
  return doc.dump();
}
}  // namespace

TEST(SimProfile, BuiltInProfileDescribesTheStandInDefaultReceiver) {
  StandInReceiver fromHost;
  fromHost.fillDefaultSatellite();
  StandInReceiver fromProfile;
  const Profile profile = defaultProfile();
  applyProfile(profile, fromProfile);
  EXPECT_EQ(describe(fromProfile), describe(fromHost));
  EXPECT_EQ(profile.demodulator, DemodChip::STV0299B);
  EXPECT_TRUE(profile.audioDevice);
  EXPECT_EQ(profile.signal.aimedPosition, 192);
}

TEST(SimProfile, ShippedProfilesLoadWithTheirReceiverKinds) {
  struct Case {
    const char* file;
    int frontendType;
    DemodChip chip;
    const char* element;  // a skin element the profile brings, or ""
  };
  const Case cases[] = {
      {"satellite_stv0288", 0, DemodChip::STV0288, ""},
      {"satellite_kelvorn_skin", 0, DemodChip::STV0299B, "eBeamseek_kelvorn"},
      {"terrestrial", 2, DemodChip::terrestrial, "eBeamseek"},
      {"cable", 1, DemodChip::none, ""},
  };
  for (const Case& c : cases) {
    Profile profile;
    std::string error;
    const std::string path = std::string(VEVOVUVADO_SOURCE_DIR) + "/profiles/" + c.file + ".json";
    ASSERT_TRUE(loadProfile(path, &profile, &error)) << error;
    EXPECT_EQ(profile.frontendType, c.frontendType) << c.file;
    EXPECT_EQ(profile.demodulator, c.chip) << c.file;
    if (*c.element) {
      EXPECT_TRUE(profile.skin.hasElement(c.element)) << c.file;
    }
    // The built-in skin's colours stay unless a profile replaces them.
    EXPECT_TRUE(profile.skin.queryColor("std_dmagenta").valid) << c.file;
  }
}

TEST(SimProfile, SkinEntriesAreAddedToTheBuiltInSkin) {
  const std::string text = withChange("/skin", json::parse(R"({"colors": {"std_red": "#102030"},
        "fonts": {"big": {"family": "DejaVu Sans", "size": 40, "bold": true}},
        "elements": {"eBeamseek": {"x": 1, "y": 2, "width": 300, "height": 200, "title": "T",
          "children": {"snr": {"x": 5, "y": 6, "width": 7, "height": 8, "text": "x", "font": "big"}}}}})"));
  Profile profile;
  std::string error;
  ASSERT_TRUE(parseProfile(text, "p.json", &profile, &error)) << error;
  EXPECT_EQ(profile.skin.queryColor("std_red").rgb, 0x102030u);
  EXPECT_EQ(profile.skin.queryColor("std_green").rgb,
            eSkin::builtinDefault().queryColor("std_green").rgb);
  EXPECT_EQ(profile.skin.queryFont("big").size, 40);
  const eSkinElement& e = profile.skin.getElements().at("eBeamseek");
  EXPECT_EQ(e.clientSize, eSize(300, 200));
  EXPECT_EQ(e.title, "T");
  EXPECT_EQ(e.children.at("snr").font, "big");
  EXPECT_EQ(e.children.at("snr").position, ePoint(5, 6));
}

TEST(SimProfile, BadDocumentsGetOneMessageWithFileAndPlace) {
  struct Case {
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {"", "p.json: not JSON: parse error at line 1, column 1"},
      {"{\"frontend_type\": 0,,}", "p.json: not JSON: parse error at line 1, column 21"},
      {"[1, 2]", "p.json: at /: expected an object, found an array"},
      {without("", "frontend_type"), "p.json: at /: missing field \"frontend_type\""},
      {withChange("/frontend_type", "zero"),
       "p.json: at /frontend_type: expected an integer, found a string"},
      {withChange("/demodulator", "STV9999"), "p.json: at /demodulator: unknown demodulator"},
      {withChange("/audio_device", 1), "p.json: at /audio_device: expected true or false"},
      {withChange("/lnbs/0/lof_hi", -1), "p.json: at /lnbs/0/lof_hi: -1 is out of range"},
      {without("/lnbs/0/satellites/1", "description"),
       "p.json: at /lnbs/0/satellites/1: missing field \"description\""},
      {withChange("/networks/0/transponders/2/satellite/frequency", 1.5),
       "p.json: at /networks/0/transponders/2/satellite/frequency: expected an integer, found a "
       "number with a fraction"},
      {withChange("/networks/1/transponders/0", json::object()),
       "p.json: at /networks/1/transponders/0: a transponder needs"},
      {withChange("/networks/0/transponders/0/satellite/freqency", 1),
       "p.json: at /networks/0/transponders/0/satellite/freqency: unknown field"},
      {withChange("/current_transponder/transponder", 6),
       "p.json: at /current_transponder: transponder 6 does not exist in network 0"},
      {withChange("/current_transponder/network", 3),
       "p.json: at /current_transponder: network 3 does not exist"},
      {without("", "current_transponder"), "p.json: at /: missing field \"current_transponder\""},
      {withChange("/signal/beamwidth_deg", 0), "p.json: at /signal/beamwidth_deg: must be above 0"},
      {withChange("/signal/dish", json::array()),
       "p.json: at /signal/dish: expected an object, found an array"},
      {withChange("/skin", json::parse(R"({"colors": {"std_red": "red"}})")),
       "p.json: at /skin/colors/std_red: expected a colour \"#RRGGBB\""},
      {withChange("/skin", json::parse(R"({"elements": {"e": {"x": 0, "y": 0, "width": 1}}})")),
       "p.json: at /skin/elements/e: missing field \"height\""},
  };
  for (const Case& c : cases) {
    Profile profile;
    std::string error;
    EXPECT_FALSE(parseProfile(c.text, "p.json", &profile, &error)) << c.text;
    EXPECT_EQ(error.rfind(c.message, 0), 0u) << "got: " << error << "\nwanted: " << c.message;
  }
}

TEST(SimProfile, NullCurrentTransponderMeansNothingPlays) {
  Profile profile;
  std::string error;
  ASSERT_TRUE(parseProfile(withChange("/current_transponder", nullptr), "p", &profile, &error))
      << error;
  StandInReceiver receiver;
  applyProfile(profile, receiver);
  EXPECT_EQ(receiver.currentTransponder(), nullptr);
}

TEST(SimProfile, UnreadableFileIsReported) {
  Profile profile;
  std::string error;
  EXPECT_FALSE(loadProfile("/nonexistent/p.json", &profile, &error));
  EXPECT_EQ(error, "/nonexistent/p.json: cannot be read (no such file, or no permission)");
}
