// Script parsing: every command form, and bad lines refused with their line numbers.

#include <gtest/gtest.h>

#include "script/script.h"

using Kind = ScriptCommand::Kind;

TEST(SimScript, ParsesEveryCommandAndSkipsCommentsAndBlankLines) {
  const char* text =
      "# a comment\n"
      "\n"
      "wait 250   # trailing comment\n"
      "key green\n"
      "select transponder 2\n"
      "toggle sound\n"
      "focus sat\n"
      "dish -1.5 0.25\n"
      "reg 0x68 0x24 0x00 255\n"
      "reg 8 plain 0x08\n"
      "unreg 0x68 0x24\n"
      "frontend if 1996000\n"
      "frontend status 0x48\n"
      "fault audio short-read on\n"
      "dump out/state.json\n"
      "png window.png\n";
  Script script;
  std::string error;
  ASSERT_TRUE(parseScript(text, "s.txt", &script, &error)) << error;
  ASSERT_EQ(script.commands.size(), 14u);
  const auto& c = script.commands;
  EXPECT_EQ(c[0].kind, Kind::wait);
  EXPECT_EQ(c[0].number, 250);
  EXPECT_EQ(c[0].line, 3);
  EXPECT_EQ(c[1].kind, Kind::key);
  EXPECT_EQ(c[1].key, eKey::green);
  EXPECT_EQ(c[2].kind, Kind::select);
  EXPECT_EQ(c[2].widget, "transponder");
  EXPECT_EQ(c[2].number, 2);
  EXPECT_EQ(c[3].kind, Kind::toggle);
  EXPECT_EQ(c[4].kind, Kind::focus);
  EXPECT_EQ(c[4].widget, "sat");
  EXPECT_EQ(c[5].kind, Kind::dish);
  EXPECT_DOUBLE_EQ(c[5].azimuth, -1.5);
  EXPECT_DOUBLE_EQ(c[5].elevation, 0.25);
  EXPECT_EQ(c[6].kind, Kind::reg);
  EXPECT_EQ(c[6].address, 0x68);
  EXPECT_EQ(c[6].reg, 0x24);
  EXPECT_EQ(c[6].bytes, (std::vector<uint8_t>{0x00, 0xFF}));
  EXPECT_EQ(c[7].reg, -1);
  EXPECT_EQ(c[7].bytes, (std::vector<uint8_t>{0x08}));
  EXPECT_EQ(c[8].kind, Kind::unreg);
  EXPECT_EQ(c[9].kind, Kind::frontend);
  EXPECT_EQ(c[9].field, "if");
  EXPECT_EQ(c[9].number, 1996000);
  EXPECT_EQ(c[10].number, 0x48);
  EXPECT_EQ(c[11].kind, Kind::fault);
  EXPECT_EQ(c[11].field, "audio");
  EXPECT_EQ(c[11].operation, "short-read");
  EXPECT_TRUE(c[11].on);
  EXPECT_EQ(c[12].kind, Kind::dump);
  EXPECT_EQ(c[12].path, "out/state.json");
  EXPECT_EQ(c[13].kind, Kind::png);
}

TEST(SimScript, LeadingZeroStaysDecimal) {
  Script script;
  std::string error;
  ASSERT_TRUE(parseScript("wait 010\n", "s", &script, &error)) << error;
  EXPECT_EQ(script.commands[0].number, 10);
}

TEST(SimScript, TabsAndWindowsLineEndsAreWhiteSpace) {
  Script script;
  std::string error;
  ASSERT_TRUE(parseScript("wait\t10\r\nkey\tok \r\n", "s", &script, &error)) << error;
  ASSERT_EQ(script.commands.size(), 2u);
  EXPECT_EQ(script.commands[0].number, 10);
  EXPECT_EQ(script.commands[1].key, eKey::ok);
}

TEST(SimScript, BadLinesAreRefusedWithTheirLineNumber) {
  const std::string huge(1u << 20, 'x');
  struct Case {
    std::string text;
    std::string error;
  };
  const Case cases[] = {
      {"wait\n", "s.txt:1: wait takes 1 argument, got 0"},
      {"wait 10\nwait soon\n", "s.txt:2: \"soon\" is not a whole number"},
      {"wait -5\n", "s.txt:1: -5 is out of range 0 to 3600000"},
      {"\n# c\nkey purple\n", "s.txt:3: unknown key \"purple\""},
      {"jump 3\n", "s.txt:1: unknown command \"jump\""},
      {"select sat\n", "s.txt:1: select takes 2 arguments, got 1"},
      {"select sat two\n", "s.txt:1: \"two\" is not a whole number"},
      {"dish 1 north\n", "s.txt:1: \"north\" is not a number"},
      {"reg 0x68 0x24\n", "s.txt:1: reg takes an address, a register and at least one byte"},
      {"reg 0x68 0x24 256\n", "s.txt:1: 256 is out of range 0 to 255"},
      {"reg 0x80 0 1\n", "s.txt:1: 0x80 is out of range 0 to 127"},
      {"unreg 0x68\n", "s.txt:1: unreg takes 2 arguments, got 1"},
      {"frontend volume 3\n", "s.txt:1: unknown frontend value \"volume\""},
      {"fault tuner open on\n", "s.txt:1: unknown device \"tuner\""},
      {"fault i2c explode on\n", "s.txt:1: unknown operation \"explode\""},
      {"fault i2c open maybe\n", "s.txt:1: expected on or off, got \"maybe\""},
      {"toggle\n", "s.txt:1: toggle takes 1 argument, got 0"},
      {"dump a b\n", "s.txt:1: dump takes 1 argument, got 2"},
      {"window\n", "s.txt:1: window takes a file and optionally a size, got 0 arguments"},
      {"window w.png big\n", "s.txt:1: \"big\" is not a size WIDTHxHEIGHT from 16x16 to 8192x8192"},
      {"window w.png 8x8\n", "s.txt:1: \"8x8\" is not a size WIDTHxHEIGHT from 16x16 to 8192x8192"},
      {"window w.png 99999999999999999999x16\n",
       "s.txt:1: \"99999999999999999999x16\" is not a size WIDTHxHEIGHT from 16x16 to 8192x8192"},
      // A NUL must not cut a word short, nor a message.
      {std::string("wait 10\0junk\n", 13), "s.txt:1: control character \\x00 in column 8"},
      {std::string("wait 1\nwait \0\0\0\n", 14), "s.txt:2: control character \\x00 in column 6"},
      {"# bell \a in a comment\n", "s.txt:1: control character \\x07 in column 8"},
      {"key ok\x7f\n", "s.txt:1: control character \\x7f in column 7"},
      {"wait 1\n\x1b[2J\n", "s.txt:2: control character \\x1b in column 1"},
      // Input quoted in a message is cut, however long the word.
      {huge + "\n",
       "s.txt:1: unknown command \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\" (wait, key"},
      {"wait " + huge + "\n", "s.txt:1: \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\" is not a"},
      {"wait 0000000000000000000000000000000000000000000000000003600001\n",
       "s.txt:1: 0000000000000000000000000000000000000000... is out of range 0 to 3600000"},
      {"key \xc3\xa9t\xe9\n", "s.txt:1: unknown key \"\xc3\xa9t\\xe9\""},
  };
  for (const Case& c : cases) {
    Script script;
    std::string error;
    EXPECT_FALSE(parseScript(c.text, "s.txt", &script, &error)) << c.text.substr(0, 80);
    EXPECT_EQ(error.rfind(c.error, 0), 0u)
        << "got: " << error.substr(0, 300) << "\nwanted: " << c.error;
    EXPECT_LE(error.size(), 200u);
  }
}

TEST(SimScript, UnreadableFileIsReported) {
  Script script;
  std::string error;
  EXPECT_FALSE(loadScript("/nonexistent/script.txt", &script, &error));
  EXPECT_NE(error.find("/nonexistent/script.txt: cannot be read"), std::string::npos) << error;
}
