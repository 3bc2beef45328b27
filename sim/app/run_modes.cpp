#include "run_modes.h"

#include <csignal>
#include <cstdio>

#include "interactive_driver.h"
#include "sdl_front.h"
#include "wav_file.h"
#include "window_layout.h"

namespace {
constexpr int kSampleRate = 12000;

bool writeHeard(Simulation& simulation, const std::string& path) {
  if (path.empty())
    return true;
  std::string error;
  if (writeWav(path, simulation.heard(), kSampleRate, &error))
    return true;
  std::fprintf(stderr, "vevovuvado-sim: %s: cannot write the sound: %s\n", path.c_str(),
               error.c_str());
  return false;
}

bool writeScreen(Simulation& simulation, const std::string& path) {
  if (path.empty())
    return true;
  std::string error;
  if (simulation.writePng(path, &error))
    return true;
  std::fprintf(stderr, "vevovuvado-sim: %s\n", error.c_str());
  return false;
}

bool writeWindow(Simulation& simulation, const std::string& path) {
  if (path.empty())
    return true;
  std::string error;
  if (simulation.writeWindowPng(path, kDefaultWindowWidth, kDefaultWindowHeight, &error))
    return true;
  std::fprintf(stderr, "vevovuvado-sim: %s\n", error.c_str());
  return false;
}

// What is written once the finder has closed: the sound, the plot, and whether every reading
// reached the CSV file.
bool writeAfterwards(Simulation& simulation, const RunOutputs& outputs) {
  bool written = writeHeard(simulation, outputs.wav);
  std::string error;
  if (!outputs.plot.empty() && !simulation.writePlot(outputs.plot, &error)) {
    std::fprintf(stderr, "vevovuvado-sim: %s\n", error.c_str());
    written = false;
  }
  if (!simulation.csvWritten()) {
    std::fprintf(stderr, "vevovuvado-sim: the readings could not all be written\n");
    written = false;
  }
  return written;
}
}  // namespace

int runScript(Simulation& simulation, const Script& script, const std::string& source,
              const RunOutputs& outputs, bool demonstration) {
  ScriptRunner runner(script, source, simulation);
  if (demonstration)
    runner.skipMissingWidgets();
  bool written = true;
  runner.onFinished = [&] {
    written = writeScreen(simulation, outputs.png);
    written = writeWindow(simulation, outputs.window) && written;
  };
  simulation.runPlugin(runner);
  runner.checkAllRan();
  written = writeAfterwards(simulation, outputs) && written;
  if (runner.failed()) {
    std::fprintf(stderr, "vevovuvado-sim: %s\n", runner.error().c_str());
    return 2;
  }
  return written ? 0 : 1;
}

int runInteractive(Simulation& simulation, const RunOutputs& outputs) {
  SdlFront front;
  std::string error;
  if (!front.open(kDefaultWindowWidth, kDefaultWindowHeight, &error)) {
    std::fprintf(stderr, "vevovuvado-sim: cannot open a window: %s\n", error.c_str());
    return 1;
  }
  InteractiveDriver driver(&front, simulation);
  // Ctrl-C closes the finder the orderly way, so its destructor runs and the files get written.
  std::signal(SIGINT, [](int) { InteractiveDriver::requestQuit(); });
  std::signal(SIGTERM, [](int) { InteractiveDriver::requestQuit(); });
  simulation.runPlugin(driver);
  bool written = writeAfterwards(simulation, outputs);
  if (!outputs.png.empty() && !writePng(driver.lastScreen(), outputs.png, &error)) {
    std::fprintf(stderr, "vevovuvado-sim: %s: cannot write the image: %s\n", outputs.png.c_str(),
                 error.c_str());
    written = false;
  }
  return written ? 0 : 1;
}
