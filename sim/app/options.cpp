#include "options.h"

namespace {
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
      *error = "unknown option \"" + arg + "\"";
      return false;
    }
    if (i + 1 >= args.size() || args[i + 1].empty()) {
      *error = arg + " needs a value";
      return false;
    }
    parsed.*(option->field) = args[++i];
  }
  *options = parsed;
  return true;
}
