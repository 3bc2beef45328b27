#pragma once
// Running the built simulator from an end-to-end test: a fresh folder per run, the program's
// exit code and output, and readers for what it writes (JSON dumps, WAV files).

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace simtest {

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void writeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// A new empty folder under /tmp.
inline std::string freshFolder() {
  char pattern[] = "/tmp/vevovuvado-sim-test-XXXXXX";
  const char* made = mkdtemp(pattern);
  return made ? std::string(made) : std::string("/tmp");
}

inline std::string quoted(const std::string& word) {
  std::string out = "'";
  for (char c : word)
    out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

struct SimRun {
  int exitCode = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs the simulator in `folder` with `args`. A run that hangs is ended after two minutes and
// gets exit code 124.
inline SimRun runSimulator(const std::string& folder, const std::vector<std::string>& args) {
  std::string command = "cd " + quoted(folder) + " && timeout 120 " + quoted(VEVOVUVADO_SIM_PATH);
  for (const std::string& a : args)
    command += " " + quoted(a);
  command += " >" + quoted(folder + "/stdout.txt") + " 2>" + quoted(folder + "/stderr.txt");
  const int status = std::system(command.c_str());
  SimRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = readFile(folder + "/stdout.txt");
  run.err = readFile(folder + "/stderr.txt");
  return run;
}

// Writes `script` into `folder` and runs it with the profile (empty: built-in) and a log.
inline SimRun runScript(const std::string& folder, const std::string& script,
                        const std::string& profile = "",
                        const std::vector<std::string>& more = {}) {
  writeFile(folder + "/script.txt", script);
  std::vector<std::string> args{"--script", "script.txt", "--log", "debug.log"};
  if (!profile.empty()) {
    args.push_back("--profile");
    args.push_back(profile);
  }
  args.insert(args.end(), more.begin(), more.end());
  return runSimulator(folder, args);
}

inline std::string profilePath(const std::string& name) {
  return std::string(VEVOVUVADO_SOURCE_DIR) + "/profiles/" + name + ".json";
}

inline nlohmann::json readJson(const std::string& path) {
  return nlohmann::json::parse(readFile(path), nullptr, false);
}

inline std::vector<std::string> readLines(const std::string& path) {
  std::vector<std::string> lines;
  std::istringstream in(readFile(path));
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

inline int countLinesStartingWith(const std::vector<std::string>& lines, const std::string& start) {
  int n = 0;
  for (const std::string& l : lines)
    n += l.rfind(start, 0) == 0 ? 1 : 0;
  return n;
}

// The widget named `name` in a dump, or null.
inline nlohmann::json widgetNamed(const nlohmann::json& dump, const std::string& name) {
  for (const auto& w : dump["widgets"]) {
    if (w["name"] == name)
      return w;
  }
  return nullptr;
}

inline nlohmann::json widgetWithText(const nlohmann::json& dump, const std::string& text) {
  for (const auto& w : dump["widgets"]) {
    if (w["text"] == text)
      return w;
  }
  return nullptr;
}

// A mono PCM WAV file: its rate and its samples scaled to -1..1. Empty samples on any problem.
struct Wav {
  int rate = 0;
  int bits = 0;
  std::vector<double> samples;
};

inline uint32_t littleEndian(const std::string& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) {
    v = (v << 8) | static_cast<uint8_t>(b[at + static_cast<size_t>(i)]);
  }
  return v;
}

inline Wav readWav(const std::string& path) {
  const std::string b = readFile(path);
  Wav wav;
  if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0)
    return wav;
  size_t at = 12;
  int channels = 0;
  while (at + 8 <= b.size()) {
    const std::string id = b.substr(at, 4);
    const size_t length = littleEndian(b, at + 4, 4);
    const size_t body = at + 8;
    if (body + length > b.size())
      break;
    if (id == "fmt ") {
      channels = static_cast<int>(littleEndian(b, body + 2, 2));
      wav.rate = static_cast<int>(littleEndian(b, body + 4, 4));
      wav.bits = static_cast<int>(littleEndian(b, body + 14, 2));
    } else if (id == "data" && channels == 1 && (wav.bits == 8 || wav.bits == 16)) {
      const size_t width = static_cast<size_t>(wav.bits / 8);
      for (size_t i = 0; i + width <= length; i += width) {
        if (width == 1) {
          wav.samples.push_back((static_cast<uint8_t>(b[body + i]) - 128) / 128.0);
        } else {
          const auto v = static_cast<int16_t>(littleEndian(b, body + i, 2));
          wav.samples.push_back(v / 32768.0);
        }
      }
    }
    at = body + length + (length & 1);
  }
  return wav;
}

// Rising zero crossings per second between `fromS` and `toS`: the pitch of a pure tone, in Hz.
inline double pitchHz(const Wav& wav, double fromS, double toS) {
  const size_t first = static_cast<size_t>(fromS * wav.rate);
  const size_t last = std::min(wav.samples.size(), static_cast<size_t>(toS * wav.rate));
  int crossings = 0;
  for (size_t i = first + 1; i < last; ++i) {
    if (wav.samples[i - 1] < 0 && wav.samples[i] >= 0)
      ++crossings;
  }
  return last > first ? crossings / (static_cast<double>(last - first) / wav.rate) : 0;
}

}  // namespace simtest
