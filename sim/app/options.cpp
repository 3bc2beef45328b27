#include "options.h"

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
    {"--module", &SimOptions::module},
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
}  // namespace

const char* usageText() {
  return "usage: vevovuvado-sim [--profile FILE] [--script FILE] [--log FILE] [--wav FILE]\n"
         "                      [--png FILE] [--out DIR] [--headless] [--module FILE]\n"
         "Runs the finder plug-in on a simulated receiver. With a display and no script it opens\n"
         "a window; with --headless or no display it runs a demonstration and writes the window,\n"
         "the tone and the debug log into DIR (default ./vevovuvado-out).\n";
}

bool parseOptions(const std::vector<std::string>& args, SimOptions* options, std::string* error) {
  SimOptions parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--headless") {
      parsed.headless = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      parsed.help = true;
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
  *options = parsed;
  return true;
}
