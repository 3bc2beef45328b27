// vevovuvado-sim: runs the finder plug-in on a simulated receiver, as a desktop window, as a
// script, or as a demonstration that writes the window, the tone and the log to files.

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "demo_script.h"
#include "input/input_file.h"
#include "module_path.h"
#include "options.h"
#include "profile/profile.h"
#include "run_modes.h"
#include "script/script.h"
#include "sdl_front.h"
#include "simulation.h"
#include "vevovuvado_version.h"

namespace {
constexpr const char* kDefaultOutDir = "vevovuvado-out";

int refuse(const std::string& message) {
  std::fprintf(stderr, "vevovuvado-sim: %s\n", message.c_str());
  return 2;
}

// Sends the host's debug log to `path`, one line per eDebug line; without a path it is dropped.
bool routeLog(const std::string& path) {
  if (path.empty()) {
    debuglog::setSink([](const std::string&) {});
    return true;
  }
  auto file = std::make_shared<std::ofstream>(path, std::ios::trunc);
  if (!*file)
    return false;
  debuglog::setSink([file](const std::string& line) { *file << line << '\n' << std::flush; });
  return true;
}

bool makeFolder(const std::string& path) {
  return mkdir(path.c_str(), 0777) == 0 || errno == EEXIST;
}

struct Written {
  const char* what;
  std::string path;  // empty: not asked for
};

// Lists the outputs asked for under `heading`; nothing when there are none.
void sayWhere(const std::vector<Written>& outputs, const char* heading) {
  bool any = false;
  for (const Written& w : outputs) {
    if (w.path.empty())
      continue;
    if (!any)
      std::printf("%s\n", heading);
    any = true;
    std::printf("  %s %s\n", w.what, w.path.c_str());
  }
}
}  // namespace

int main(int argc, char** argv) {
  SimOptions options;
  std::string error;
  if (!parseOptions(std::vector<std::string>(argv + 1, argv + argc), &options, &error)) {
    std::fprintf(stderr, "vevovuvado-sim: %s\n%s", error.c_str(), usageText());
    return 2;
  }
  if (options.help) {
    std::fputs(helpText(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("vevovuvado-sim %s\n", VEVOVUVADO_VERSION);
    return 0;
  }

  Profile profile = defaultProfile();
  if (!options.profile.empty() && !loadProfile(options.profile, &profile, &error)) {
    return refuse(error);
  }

  Script script;
  std::string scriptSource = options.script;
  const bool scripted = !options.script.empty();
  const bool measuring = options.measureSeconds > 0;
  const bool display = !options.headless && SdlFront::displayAvailable();
  const bool demo = !scripted && !measuring && !display;
  if (scripted && !loadScript(options.script, &script, &error))
    return refuse(error);
  RunOutputs outputs{options.png, options.wav, options.plot, ""};
  std::string csvPath = options.csv;
  std::string logPath = options.log;
  if (demo) {
    scriptSource = "demonstration";
    parseScript(demoScriptText(), scriptSource, &script, &error);
    const std::string dir = options.outDir.empty() ? kDefaultOutDir : options.outDir;
    if (!makeFolder(dir)) {
      std::fprintf(stderr, "vevovuvado-sim: %s: cannot make the folder: %s\n", dir.c_str(),
                   std::strerror(errno));
      return 1;
    }
    if (outputs.png.empty())
      outputs.png = dir + "/finder.png";
    if (outputs.wav.empty())
      outputs.wav = dir + "/tone.wav";
    if (logPath.empty())
      logPath = dir + "/debug.log";
    if (csvPath.empty())
      csvPath = dir + "/readings.csv";
    if (outputs.plot.empty())
      outputs.plot = dir + "/signal.png";
    outputs.window = dir + "/window.png";
  }
  if (!routeLog(logPath)) {
    std::fprintf(stderr, "vevovuvado-sim: %s: cannot write the log\n", logPath.c_str());
    return 1;
  }

  int status = 0;
  {
    Simulation simulation(
        profile, scripted || demo ? eMainloop::Time::virtualTime : eMainloop::Time::realTime);
    const std::string module = options.module.empty() ? defaultModulePath() : options.module;
    // dlopen would wait for ever on a FIFO.
    if (!refuseUnlessRegularFile(module, &error))
      return refuse(error);
    if (!simulation.loadModule(module, &error)) {
      std::fprintf(stderr, "vevovuvado-sim: %s\n", error.c_str());
      return 1;
    }
    if (!csvPath.empty() && !simulation.recordCsv(csvPath, &error)) {
      std::fprintf(stderr, "vevovuvado-sim: %s\n", error.c_str());
      return 1;
    }
    const std::vector<Written> written = {{"The finder window:", outputs.png},
                                          {"The whole window: ", outputs.window},
                                          {"The tone:         ", outputs.wav},
                                          {"The debug log:    ", logPath},
                                          {"The readings:     ", csvPath},
                                          {"The plot:         ", outputs.plot},
                                          {"The figures:      ", options.measureJson}};
    if (demo) {
      std::printf(
          "vevovuvado-sim: the demonstration (the dish sweeps across the satellite),\n"
          "writing into %s/\n",
          options.outDir.empty() ? kDefaultOutDir : options.outDir.c_str());
    } else if (measuring) {
      std::printf("vevovuvado-sim: measuring for %g s after 1.5 s of warming up, %s\n",
                  options.measureSeconds, display ? "in a window" : "headless");
      sayWhere(written, "Written at the end:");
    } else if (!scripted) {
      std::printf(
          "vevovuvado-sim: the finder in a window; the keys are in the panel and in\n"
          "--help. Escape or closing the window ends it.\n");
      sayWhere(written, "Written at the end:");
    }
    std::fflush(stdout);
    if (scripted || demo) {
      status = runScript(simulation, script, scriptSource, outputs, demo);
    } else if (measuring) {
      const std::string receiver =
          options.profile.empty() ? "the built-in receiver" : options.profile;
      status = runMeasure(simulation, outputs,
                          {options.measureSeconds, display, receiver, options.measureJson});
    } else {
      status = runInteractive(simulation, outputs);
    }
    debuglog::setSink(nullptr);
    if (!scripted && status == 0)
      sayWhere(written, "Written:");
  }
  return status;
}
