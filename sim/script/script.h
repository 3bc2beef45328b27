#pragma once
// Simulator scripts: one command per line, '#' starts a comment. Parsing checks every line up
// front, so a bad script is refused before the plug-in runs.

#include <cstdint>
#include <string>
#include <vector>

#include "host/ekey.h"

struct ScriptCommand {
  enum class Kind {
    wait,      // number: milliseconds
    key,       // key
    select,    // widget, number: entry index
    toggle,    // widget
    focus,     // widget
    dish,      // azimuth, elevation
    reg,       // address, reg (-1: plain read), bytes
    unreg,     // address, reg
    frontend,  // field ("if", "snr", "strength", "ber", "status"), number
    fault,     // device ("i2c", "frontend", "audio"), operation, on
    dump,      // path
    png,       // path
    window,    // path, number: width, height
  };
  Kind kind = Kind::wait;
  int line = 0;
  long long number = 0;
  eKey key = eKey::ok;
  std::string widget;
  double azimuth = 0;
  double elevation = 0;
  int address = 0;
  int reg = 0;
  std::vector<uint8_t> bytes;
  std::string field;  // frontend field, fault device
  std::string operation;
  bool on = false;
  std::string path;
  int width = 0;  // the window command's size in pixels
  int height = 0;
};

struct Script {
  std::vector<ScriptCommand> commands;
};

// On failure returns false and sets `error` to one line "<source>:<line>: <problem>". Control
// characters other than tab and carriage return are refused.
bool parseScript(const std::string& text, const std::string& source, Script* script,
                 std::string* error);
// Reads the file at `path` (a regular file of at most 16 MiB, see readInputFile); a file that
// cannot be read is reported as "<path>: <problem>".
bool loadScript(const std::string& path, Script* script, std::string* error);
