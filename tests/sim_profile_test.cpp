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
      {"", "p.json:1: not JSON, column 1: syntax error while parsing value - unexpected end"},
      {"{\"frontend_type\": 0,,}", "p.json:1: not JSON, column 21: syntax error"},
      {"[1, 2]", "p.json:1: at /: expected an object, found an array"},
      {without("", "frontend_type"), "p.json:1: at /: missing field \"frontend_type\""},
      {withChange("/frontend_type", "zero"),
       "p.json:1: at /frontend_type: expected an integer, found a string"},
      {withChange("/demodulator", "STV9999"), "p.json:1: at /demodulator: unknown demodulator"},
      {withChange("/audio_device", 1), "p.json:1: at /audio_device: expected true or false"},
      {withChange("/lnbs/0/lof_hi", -1), "p.json:1: at /lnbs/0/lof_hi: -1 is out of range"},
      {without("/lnbs/0/satellites/1", "description"),
       "p.json:1: at /lnbs/0/satellites/1: missing field \"description\""},
      {withChange("/networks/0/transponders/2/satellite/frequency", 1.5),
       "p.json:1: at /networks/0/transponders/2/satellite/frequency: expected an integer, found a "
       "number with a fraction"},
      {withChange("/networks/1/transponders/0", json::object()),
       "p.json:1: at /networks/1/transponders/0: a transponder needs"},
      {withChange("/networks/0/transponders/0/satellite/freqency", 1),
       "p.json:1: at /networks/0/transponders/0/satellite/freqency: unknown field"},
      {withChange("/current_transponder/transponder", 6),
       "p.json:1: at /current_transponder: transponder 6 does not exist in network 0"},
      {withChange("/current_transponder/network", 3),
       "p.json:1: at /current_transponder: network 3 does not exist"},
      {without("", "current_transponder"), "p.json:1: at /: missing field \"current_transponder\""},
      {withChange("/signal/beamwidth_deg", 0),
       "p.json:1: at /signal/beamwidth_deg: must be above 0"},
      {withChange("/signal/dish", json::array()),
       "p.json:1: at /signal/dish: expected an object, found an array"},
      {withChange("/skin", json::parse(R"({"colors": {"std_red": "red"}})")),
       "p.json:1: at /skin/colors/std_red: expected a colour \"#RRGGBB\""},
      {withChange("/skin", json::parse(R"({"elements": {"e": {"x": 0, "y": 0, "width": 1}}})")),
       "p.json:1: at /skin/elements/e: missing field \"height\""},
  };
  for (const Case& c : cases) {
    Profile profile;
    std::string error;
    EXPECT_FALSE(parseProfile(c.text, "p.json", &profile, &error)) << c.text;
    EXPECT_EQ(error.rfind(c.message, 0), 0u) << "got: " << error << "\nwanted: " << c.message;
  }
}

// A person finds the place by its line: the line where the value at fault starts, for a
// field that is missing the line of the object that lacks it.
TEST(SimProfile, MessagesNameTheLineOfTheValueAtFault) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"{\n  \"frontend_type\": 0,\n  \"reception_type\": 0,\n  \"demodulator\":\n    \"X\"\n}",
       "p.json:5: at /demodulator: unknown demodulator \"X\""},
      {"\n\n  [1, 2]", "p.json:3: at /: expected an object"},
      {"{\"frontend_type\": 0, \"reception_type\": 0,\n\"demodulator\": \"none\",\n"
       "\"audio_device\": true, \"lnbs\": [\n  {\"lof_hi\": 1, \"lof_lo\": 2, \"threshold\": 3,\n"
       "   \"satellites\": []},\n  {\"lof_hi\": 1,\n   \"lof_lo\": -2}]}",
       "p.json:7: at /lnbs/1/lof_lo: -2 is out of range"},
      {"{\"frontend_type\": 0, \"reception_type\": 0,\n\"demodulator\": \"none\",\n"
       "\"audio_device\": true, \"lnbs\": [\n  {\"lof_hi\": 1, \"lof_lo\": 2,\n"
       "   \"satellites\": []}]}",
       "p.json:4: at /lnbs/0: missing field \"threshold\""},
      // A number is read one byte past its end; a line break there is not its line.
      {"{\"frontend_type\": 0, \"reception_type\": 0, \"demodulator\": \"none\",\n"
       "\"audio_device\": 7\n,\n\"lnbs\": []}",
       "p.json:2: at /audio_device: expected true or false"},
      {"{\"frontend_type\": 0, \"reception_type\": 0, \"demodulator\": \"none\",\n"
       "\"audio_device\": true,\n\"lnbs\": [],\n\n\"netwerks\": []}",
       "p.json:5: at /netwerks: unknown field"},
      // When a name repeats, the last one is the value read, and the one named.
      {"{\"frontend_type\": 0,\n\"frontend_type\": \"zero\"}",
       "p.json:2: at /frontend_type: expected an integer, found a string"},
      {"{\n\"frontend_type\": 0,\n\"frontend_type\" 1}",
       "p.json:3: not JSON, column 17: syntax error"},
  };
  for (const Case& c : cases) {
    Profile profile;
    std::string error;
    EXPECT_FALSE(parseProfile(c.text, "p.json", &profile, &error)) << c.text;
    EXPECT_EQ(error.rfind(c.message, 0), 0u) << "got: " << error << "\nwanted: " << c.message;
  }
}

// Whatever a document holds, the message is one line of printable text of modest length:
// escaped control characters, and quoted input cut with an ellipsis.
TEST(SimProfile, HostileDocumentsGetOneShortPrintableLine) {
  const std::string huge(1u << 20, 'x');
  struct Case {
    const char* what;
    std::string text;
    const char* fragment;
  };
  const Case cases[] = {
      {"escaped newline in a field name",
       without("", "current_transponder").insert(1, "\"curr\\nt_transponder\": 1, "),
       "at /curr\\nt_transponder: unknown field"},
      {"escaped newline in a value", withChange("/demodulator", "STV\n0288"),
       "unknown demodulator \"STV\\n0288\""},
      {"escaped NUL in a value", withChange("/demodulator", std::string("STV\0", 4) + "288"),
       "unknown demodulator \"STV\\x00288\""},
      {"a raw newline in a string", "{\"demodulator\": \"STV\n0288\"}",
       "p.json:2: not JSON, column 0: syntax error while parsing value - invalid string: "
       "control character U+000A (LF) must be escaped"},
      {"invalid UTF-8 in a string", "{\"demodulator\": \"STV\xff\"}", "last read: '\"STV\\xff'"},
      {"a 1 MiB field name", "{\"" + huge + "\": 1}", "at /xxxxxxxxxxxxxxx"},
      {"a 1 MiB value", withChange("/demodulator", huge),
       "unknown demodulator \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\""},
      {"a 1 MiB bad string", "\"" + huge + "\\q\"",
       "not JSON, column 1048579: syntax error while "
       "parsing value - invalid string: forbidden character after backslash; last read: "
       "'\"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...'"},
      {"a NUL byte", std::string("{\0}", 3), "not JSON, column 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Profile profile;
    std::string error;
    EXPECT_FALSE(parseProfile(c.text, "p.json", &profile, &error));
    EXPECT_NE(error.find(c.fragment), std::string::npos) << error.substr(0, 300);
    EXPECT_LE(error.size(), 300u);
    for (char ch : error) {
      ASSERT_TRUE(ch >= 0x20 && ch < 0x7F) << "not printable: " << error.substr(0, 300);
    }
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
