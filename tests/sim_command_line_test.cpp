// The simulator's command line: malformed profiles and scripts are refused with exit code 2
// and one clear message; the demonstration writes its three files.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "sim_support/run_simulator.h"
#include "vevovuvado_version.h"

using namespace simtest;

TEST(SimCommandLine, MalformedProfilesAreRefusedWithFileAndPlace) {
  struct Case {
    const char* content;  // nullptr: the file does not exist
    const char* message;
  };
  const Case cases[] = {
      {nullptr, "p.json: cannot be read"},
      {"{ \"frontend_type\": 0,\n  \"x\" }", "p.json:2: not JSON, column 7"},
      {"{}", "p.json:1: at /: missing field \"frontend_type\""},
      {"\n\"text\"", "p.json:2: at /: expected an object, found a string"},
      {"{\"frontend_type\": 0, \"reception_type\": 0,\n \"demodulator\": 5}",
       "p.json:2: at /demodulator: expected a string, found an integer"},
  };
  for (const Case& c : cases) {
    const std::string dir = freshFolder();
    if (c.content)
      writeFile(dir + "/p.json", c.content);
    const SimRun run = runSimulator(dir, {"--profile", "p.json", "--headless"});
    EXPECT_EQ(run.exitCode, 2) << c.message;
    EXPECT_EQ(run.err.rfind(std::string("vevovuvado-sim: ") + c.message, 0), 0u) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
  }
}

TEST(SimCommandLine, MalformedScriptsAreRefusedWithTheirLineNumber) {
  struct Case {
    const char* script;
    const char* message;
  };
  const Case cases[] = {
      {"wait 100\nkey purple\n", "script.txt:2: unknown key \"purple\""},
      {"# setup\n\nspin 3\n", "script.txt:3: unknown command \"spin\""},
      {"dish 1\n", "script.txt:1: dish takes 2 arguments, got 1"},
  };
  for (const Case& c : cases) {
    const std::string dir = freshFolder();
    const SimRun run = runScript(dir, c.script);
    EXPECT_EQ(run.exitCode, 2) << c.script;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    // Refused before the plug-in ran: it logged nothing.
    EXPECT_TRUE(readLines(dir + "/debug.log").empty());
  }
}

// Whatever a person hands the simulator, it answers with exit code 2 and one short line of
// printable text, before the plug-in runs and without blocking or filling the memory.
TEST(SimCommandLine, BadInputOfEveryKindGetsOneLineAndExitCode2) {
  const std::string hugeWord(10u << 20, 'x');
  const std::string longArgument(100000, 'x');  // a single argument may have 128 KiB
  struct Case {
    const char* what;
    std::vector<std::string> args;
    const char* message;  // what the line says after "vevovuvado-sim: "
  };
  const Case cases[] = {
      {"directory as profile", {"--profile", "folder"}, "folder: is a directory"},
      {"directory as script", {"--script", "folder"}, "folder: is a directory"},
      {"FIFO as profile", {"--profile", "fifo"}, "fifo: is a FIFO (named pipe)"},
      {"FIFO as script", {"--script", "fifo"}, "fifo: is a FIFO (named pipe)"},
      {"FIFO as module", {"--module", "fifo"}, "fifo: is a FIFO (named pipe)"},
      {"endless device as profile", {"--profile", "/dev/zero"}, "/dev/zero: is a character device"},
      {"endless device as script", {"--script", "/dev/zero"}, "/dev/zero: is a character device"},
      {"oversized profile", {"--profile", "big"}, "big: larger than 16 MiB"},
      {"oversized script", {"--script", "big"}, "big: larger than 16 MiB"},
      {"NUL inside a script word",
       {"--script", "nul.txt"},
       "nul.txt:2: control character \\x00 in column 8"},
      {"10 MiB script word",
       {"--script", "huge.txt"},
       "huge.txt:1: unknown command \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\""},
      {"escaped newline in a profile key",
       {"--profile", "key.json"},
       "key.json:3: at /curr\\nt_transponder: unknown field"},
      {"escaped newline in a profile value",
       {"--profile", "value.json"},
       "value.json:1: at /demodulator: unknown demodulator \"STV\\n0288\""},
      {"newline in an unknown option", {"--fr\nob"}, "unknown option \"--fr\\nob\""},
      {"long unknown option",
       {longArgument},
       "unknown option \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\""},
      {"newline in a path", {"--log", "a\nb"}, "--log \"a\\nb\": a control character in the value"},
      {"path longer than any",
       {"--profile", longArgument},
       "--profile \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\": longer than 4096 characters"},
  };
  const std::string dir = freshFolder();
  ASSERT_EQ(mkfifo((dir + "/fifo").c_str(), 0600), 0);
  ASSERT_EQ(mkdir((dir + "/folder").c_str(), 0700), 0);
  writeFile(dir + "/big", std::string((16u << 20) + 1, ' '));
  writeFile(dir + "/nul.txt", std::string("wait 1\nwait 10\0junk\n", 20));
  writeFile(dir + "/huge.txt", hugeWord + "\n");
  writeFile(dir + "/key.json", "{\n  \"frontend_type\": 0,\n  \"curr\\nt_transponder\": null\n}");
  writeFile(dir + "/value.json",
            "{\"frontend_type\": 0, \"reception_type\": 0, \"demodulator\": \"STV\\n0288\"}");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--out", "out"});
    const SimRun run = runSimulator(dir, args);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind(std::string("vevovuvado-sim: ") + c.message, 0), 0u)
        << run.err.substr(0, 300);
    const std::string firstLine = run.err.substr(0, run.err.find('\n'));
    EXPECT_LE(firstLine.size(), 300u);
    for (char ch : firstLine) {
      ASSERT_TRUE(ch >= 0x20 && ch < 0x7F) << "not printable: " << firstLine.substr(0, 300);
    }
    EXPECT_TRUE(readLines(dir + "/out/debug.log").empty()) << "refused before the plug-in ran";
  }
}

TEST(SimCommandLine, UnknownOptionsAndMissingValuesAreRefused) {
  const std::vector<std::vector<std::string>> cases = {{"--frobnicate"},
                                                       {"--profile"},
                                                       {"--headless", "--out"},
                                                       {"--measure"},
                                                       {"--measure", "0.5"},
                                                       {"--measure", "3601"},
                                                       {"--measure", "10s"},
                                                       {"--measure-json", "m.json"},
                                                       {"--measure", "2", "--script", "s.txt"}};
  for (const auto& args : cases) {
    const std::string dir = freshFolder();
    const SimRun run = runSimulator(dir, args);
    EXPECT_EQ(run.exitCode, 2) << args[0];
    EXPECT_NE(run.err.find("usage: vevovuvado-sim"), std::string::npos) << run.err;
  }
}

TEST(SimCommandLine, VersionIsTheProjectsAndRunsNothing) {
  const std::string dir = freshFolder();
  const SimRun run = runSimulator(dir, {"--version", "--log", "debug.log"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, std::string("vevovuvado-sim ") + VEVOVUVADO_VERSION + "\n");
  EXPECT_EQ(run.err, "");
  EXPECT_FALSE(std::ifstream(dir + "/debug.log").good()) << "the plug-in did not run";
}

TEST(SimCommandLine, ModuleThatCannotBeLoadedIsReported) {
  const std::string dir = freshFolder();
  const SimRun run = runSimulator(dir, {"--headless", "--module", "/nonexistent/module.so"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("/nonexistent/module.so: cannot load the plug-in module"),
            std::string::npos)
      << run.err;
}

TEST(SimCommandLine, DemonstrationWritesWindowToneAndLogAndSaysWhere) {
  const std::string dir = freshFolder();
  const SimRun run = runSimulator(dir, {"--headless"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("vevovuvado-out/finder.png"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("vevovuvado-out/tone.wav"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("vevovuvado-out/debug.log"), std::string::npos) << run.out;
  EXPECT_EQ(readFile(dir + "/vevovuvado-out/finder.png").substr(1, 3), "PNG");
  // It says where it writes before it starts, and the readings, the plot and the whole window
  // come with the rest.
  EXPECT_EQ(run.out.find("writing into vevovuvado-out/"), run.out.find('\n') + 1) << run.out;
  for (const char* file : {"readings.csv", "signal.png", "window.png"}) {
    EXPECT_NE(run.out.find(std::string("vevovuvado-out/") + file), std::string::npos) << file;
  }
  EXPECT_EQ(readFile(dir + "/vevovuvado-out/signal.png").substr(1, 3), "PNG");
  EXPECT_EQ(readFile(dir + "/vevovuvado-out/window.png").substr(1, 3), "PNG");
  const auto rows = readLines(dir + "/vevovuvado-out/readings.csv");
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0].rfind("time_ms,snr_num,", 0), 0u) << rows[0];
  EXPECT_EQ(rows.size(), 41u);  // ten seconds of refreshes and the header
  const auto log = readLines(dir + "/vevovuvado-out/debug.log");
  EXPECT_EQ(countLinesStartingWith(log, "sound 1"), 1);
  EXPECT_EQ(countLinesStartingWith(log, "[Vevovuvado] SwichtSkinExec verlassen"), 2);

  // The pitch rises while the dish comes onto the satellite. The sweep reaches the peak 5.25 s
  // in; the device's queue plays the tone about half a second after it was written, and below
  // 0 dB (before about 3.5 s) the tone is silent.
  const Wav wav = readWav(dir + "/vevovuvado-out/tone.wav");
  ASSERT_EQ(wav.rate, 12000);
  ASSERT_GE(wav.samples.size(), 9u * 12000u);
  const double checkpoints[] = {4.5, 5.0, 5.5};
  double previous = 0;
  for (double t : checkpoints) {
    const double pitch = pitchHz(wav, t - 0.2, t);
    EXPECT_GT(pitch, previous + 50) << "at " << t << " s";
    previous = pitch;
  }
  // Far off the satellite there is no tone; on the peak 12 dB give a phase step of 120, that is
  // 120 * 12000 / 1024 Hz.
  EXPECT_EQ(pitchHz(wav, 2.0, 3.0), 0);
  EXPECT_NEAR(pitchHz(wav, 8.0, 9.0), 1406, 60);
}

TEST(SimCommandLine, HelpDescribesEveryOptionTheKeysAndTheExitCodes) {
  const std::string dir = freshFolder();
  const SimRun run = runSimulator(dir, {"--help"});
  EXPECT_EQ(run.exitCode, 0);
  for (const char* needed : {"--profile FILE",
                             "--script FILE",
                             "--headless",
                             "--out DIR",
                             "--csv FILE",
                             "--plot FILE",
                             "--png FILE",
                             "--wav FILE",
                             "--log FILE",
                             "--module FILE",
                             "--measure SECONDS",
                             "--measure-json FILE",
                             "--version",
                             "--help",
                             "W, S",
                             "A, D",
                             "F2 or g",
                             "Escape",
                             "Enter",
                             "P ",
                             "Exit codes:",
                             "  0  ",
                             "  1  ",
                             "  2  "}) {
    EXPECT_NE(run.out.find(needed), std::string::npos) << needed;
  }
  // It reads on an 80-column terminal.
  for (const std::string& line : readLines(dir + "/stdout.txt"))
    EXPECT_LE(line.size(), 79u) << line;
}

TEST(SimCommandLine, DemonstrationRunsOnEveryShippedProfile) {
  for (const char* name : {"satellite_stv0288", "satellite_kelvorn_skin", "terrestrial", "cable"}) {
    const std::string dir = freshFolder();
    const SimRun run =
        runSimulator(dir, {"--headless", "--profile", profilePath(name), "--out", "here"});
    EXPECT_EQ(run.exitCode, 0) << name << ": " << run.err;
    EXPECT_EQ(readFile(dir + "/here/finder.png").substr(1, 3), "PNG") << name;
    EXPECT_EQ(readWav(dir + "/here/tone.wav").rate, 12000) << name;
  }
}
