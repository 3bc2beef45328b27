#include "options.h"

#include <cstdlib>

#include "input/shown_text.h"

namespace {
// Longer than any path the system takes (PATH_MAX), so surely a mistake.
constexpr size_t kLongestValue = 4096;
struct ValueOption {
  const char* flag;
  std::string SimOptions::*field;
};
const ValueOption kValueOptions[] = {
    {"--profile", &SimOptions::profile}, {"--script", &SimOptions::script},
    {"--log", &SimOptions::log},         {"--wav", &SimOptions::wav},
    {"--png", &SimOptions::png},         {"--out", &SimOptions::outDir},
    {"--module", &SimOptions::module},   {"--csv", &SimOptions::csv},
    {"--plot", &SimOptions::plot},       {"--measure-json", &SimOptions::measureJson},
};

bool acceptableValue(const std::string& flag, const std::string& value, std::string* error) {
  if (value.size() > kLongestValue) {
    *error = flag + " " + quotedText(value) + ": longer than " + std::to_string(kLongestValue) +
             " characters";
    return false;
  }
  for (char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      *error = flag + " " + quotedText(value) + ": a control character in the value";
      return false;
    }
  }
  return true;
}

constexpr double kMeasureMinSeconds = 1;
constexpr double kMeasureMaxSeconds = 3600;

// The seconds of --measure; false for anything but a plain number in range.
bool measureSeconds(const std::string& text, double* seconds) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || *end != '\0' || !(value >= kMeasureMinSeconds) ||
      !(value <= kMeasureMaxSeconds))
    return false;
  *seconds = value;
  return true;
}
}  // namespace

const char* usageText() {
  return "usage: vevovuvado-sim [--profile FILE] [--script FILE] [--log FILE] [--wav FILE]\n"
         "                      [--png FILE] [--out DIR] [--headless] [--module FILE]\n"
         "                      [--csv FILE] [--plot FILE] [--measure SECONDS]\n"
         "                      [--measure-json FILE] [--help]\n"
         "Runs the finder plug-in on a simulated receiver. With a display and no script it opens\n"
         "a window; with --headless or no display it runs a demonstration and writes the window,\n"
         "the tone and the debug log into DIR (default ./vevovuvado-out).\n"
         "--help describes every option, the keys and the exit codes.\n";
}

const char* helpText() {
  return "usage: vevovuvado-sim [OPTION]...\n"
         "Runs the finder plug-in on a simulated receiver: in a window where there is a\n"
         "display, from a script, or as a headless demonstration.\n"
         "\n"
         "Options:\n"
         "  --profile FILE  the receiver, as JSON (default: the built-in satellite one)\n"
         "  --script FILE   drive the finder from a script on virtual time, no window\n"
         "  --headless      run the demonstration even where there is a display\n"
         "  --out DIR       where the demonstration writes (default ./vevovuvado-out)\n"
         "  --csv FILE      one row per refresh: host time, each value the finder shows,\n"
         "                  lock, FEC, sync, the tone's step and pitch, the true SNR and\n"
         "                  the dish's pointing error (with a header row)\n"
         "  --plot FILE     at the end, a PNG plot of the run: SNR shown and true, pitch,\n"
         "                  dish error\n"
         "  --png FILE      the finder window as it was at the end, as PNG\n"
         "  --wav FILE      what the audio device played, as a 12000 Hz mono WAV\n"
         "  --log FILE      the plug-in's debug log\n"
         "  --module FILE   load this build of the plug-in module\n"
         "  --measure SECONDS\n"
         "                  measure the finder for SECONDS (1 to 3600) in real time\n"
         "                  while the dish moves between on the satellite and half a\n"
         "                  beamwidth off it once a second, after 1.5 s of warming up,\n"
         "                  then print a table: refresh period (mean, p99, max), delay\n"
         "                  from a dish change to the display and to the tone at the new\n"
         "                  pitch (median, worst), underruns, pitch error against\n"
         "                  snr_sound x 11.71875 Hz, CPU of the GUI and tone threads,\n"
         "                  resident memory before and after. In a window where there\n"
         "                  is a display, else (or with --headless) without one; only\n"
         "                  Escape and closing the window do anything\n"
         "  --measure-json FILE\n"
         "                  write the measurement's figures to FILE as JSON too\n"
         "  --version       print the version and exit\n"
         "  -h, --help      print this help and exit\n"
         "\n"
         "The demonstration writes finder.png, window.png, tone.wav, debug.log,\n"
         "readings.csv and signal.png into DIR.\n"
         "\n"
         "Keys in the window:\n"
         "  Up, Down        move between the lists and the Sound box\n"
         "  Left, Right     previous or next entry of a list\n"
         "  Enter           OK: open a list, take an entry, tick Sound, dismiss a message\n"
         "  Escape          exit: close a list or a message, then the finder\n"
         "  F2 or g         the green key (compact view and back); r, y, b: the others\n"
         "  W, S            tilt the dish up, down by 0.1 degree (with Shift 0.02)\n"
         "  A, D            turn the dish west, east by 0.1 degree (with Shift 0.02)\n"
         "  P               forget the best reading (the panel's peak hold)\n"
         "Closing the window or Ctrl-C closes the finder as Escape does.\n"
         "\n"
         "Exit codes:\n"
         "  0  done\n"
         "  1  the module could not be loaded, a window could not be opened, an output\n"
         "     file could not be written, or the measurement was cut short\n"
         "  2  a bad option, profile or script (one line on standard error says where)\n";
}

bool parseOptions(const std::vector<std::string>& args, SimOptions* options, std::string* error) {
  SimOptions parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--measure") {
      if (i + 1 >= args.size() || !measureSeconds(args[i + 1], &parsed.measureSeconds)) {
        *error = "--measure needs a number of seconds from 1 to 3600";
        return false;
      }
      ++i;
      continue;
    }
    if (arg == "--headless") {
      parsed.headless = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      parsed.help = true;
      continue;
    }
    if (arg == "--version") {
      parsed.version = true;
      continue;
    }
    const ValueOption* option = nullptr;
    for (const ValueOption& o : kValueOptions) {
      if (arg == o.flag)
        option = &o;
    }
    if (!option) {
      *error = "unknown option " + quotedText(arg);
      return false;
    }
    if (i + 1 >= args.size() || args[i + 1].empty()) {
      *error = arg + " needs a value";
      return false;
    }
    const std::string& value = args[++i];
    // The values are paths that go into messages and file names: a control character in one
    // is a slip of the shell, and would break the one-line message that names it.
    if (!acceptableValue(arg, value, error))
      return false;
    parsed.*(option->field) = value;
  }
  if (!parsed.measureJson.empty() && parsed.measureSeconds == 0) {
    *error = "--measure-json needs --measure";
    return false;
  }
  if (parsed.measureSeconds > 0 && !parsed.script.empty()) {
    *error = "--measure runs in real time; it does not take a --script";
    return false;
  }
  *options = parsed;
  return true;
}
