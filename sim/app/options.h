#pragma once
// The simulator's command line.

#include <string>
#include <vector>

struct SimOptions {
  std::string profile;  // empty: the built-in receiver
  std::string script;   // empty: interactive window, or the demonstration without a display
  std::string log;
  std::string wav;
  std::string png;
  std::string csv;     // one row per refresh; empty: none (the demonstration: readings.csv)
  std::string plot;    // the run's plot at the end; empty: none (the demonstration: signal.png)
  std::string outDir;  // where the demonstration writes; empty: "vevovuvado-out"
  std::string module;  // empty: the module built with this program
  // --measure SECONDS: the measurement mode for that many seconds (1 to 3600); 0: not asked.
  double measureSeconds = 0;
  std::string measureJson;  // the measurement's figures as JSON; empty: none
  bool headless = false;
  bool help = false;
  bool version = false;
};

// False with `error` set (one line) for an unknown option, a missing value, or a value with a
// control character or longer than any path (4096 characters).
bool parseOptions(const std::vector<std::string>& args, SimOptions* options, std::string* error);
// The synopsis, printed after a bad option.
const char* usageText();
// --help: every option, the keys of the window and the exit codes.
const char* helpText();
