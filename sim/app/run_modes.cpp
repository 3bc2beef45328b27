#include "run_modes.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <memory>

#include "interactive_driver.h"
#include "measure_run.h"
#include "sdl_front.h"
#include "window_layout.h"

namespace {
// The WAV file fills while the finder runs; what fails, at the start or later, is reported
// once the finder has closed.
class SoundFile {
 public:
  SoundFile(Simulation& s, const std::string& p) : simulation(s), path(p) {
    if (!path.empty())
      opened = simulation.recordSound(path, &error);
  }
  bool finish() {
    if (path.empty())
      return true;
    if (opened && simulation.finishSound(&error))
      return true;
    std::fprintf(stderr, "vevovuvado-sim: %s: cannot write the sound: %s\n", path.c_str(),
                 error.c_str());
    return false;
  }

 private:
  Simulation& simulation;
  const std::string path;
  bool opened = false;
  std::string error;
};

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

// What is written once the finder has closed: the plot, and whether every reading reached the
// CSV file.
bool writeAfterwards(Simulation& simulation, const RunOutputs& outputs) {
  bool written = true;
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
  SoundFile sound(simulation, outputs.wav);
  simulation.runPlugin(runner);
  runner.checkAllRan();
  written = sound.finish() && written;
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
  SoundFile sound(simulation, outputs.wav);
  // The driver hands what played to the sound output at every turn; without one nothing
  // gathers it.
  if (front.hasAudio())
    simulation.listenToSound();
  simulation.runPlugin(driver);
  bool written = sound.finish();
  written = writeAfterwards(simulation, outputs) && written;
  if (!outputs.png.empty() && !writePng(driver.lastScreen(), outputs.png, &error)) {
    std::fprintf(stderr, "vevovuvado-sim: %s: cannot write the image: %s\n", outputs.png.c_str(),
                 error.c_str());
    written = false;
  }
  return written ? 0 : 1;
}

int runMeasure(Simulation& simulation, const RunOutputs& outputs, const MeasureOptions& options) {
  std::unique_ptr<SdlFront> front;
  if (options.window) {
    front = std::make_unique<SdlFront>();
    std::string error;
    if (!front->open(kDefaultWindowWidth, kDefaultWindowHeight, &error)) {
      std::fprintf(stderr, "vevovuvado-sim: cannot open a window: %s\n", error.c_str());
      return 1;
    }
  }
  MeasureRun run(simulation, options.seconds);
  InteractiveDriver driver(front.get(), simulation);
  driver.setScenario(&run);
  std::signal(SIGINT, [](int) { InteractiveDriver::requestQuit(); });
  std::signal(SIGTERM, [](int) { InteractiveDriver::requestQuit(); });
  SoundFile sound(simulation, outputs.wav);
  if (front && front->hasAudio())
    simulation.listenToSound();
  simulation.runPlugin(driver);
  if (!run.complete())
    run.finish();
  const MeasureResult result = run.result(options.receiver, options.window);
  std::fputs(measureTable(result).c_str(), stdout);
  bool written = sound.finish();
  written = writeAfterwards(simulation, outputs) && written;
  if (!outputs.png.empty()) {
    std::string error;
    if (!writePng(driver.lastScreen(), outputs.png, &error)) {
      std::fprintf(stderr, "vevovuvado-sim: %s: cannot write the image: %s\n", outputs.png.c_str(),
                   error.c_str());
      written = false;
    }
  }
  if (!options.json.empty()) {
    std::ofstream out(options.json, std::ios::binary | std::ios::trunc);
    out << measureJson(result);
    out.close();
    if (!out) {
      std::fprintf(stderr, "vevovuvado-sim: %s: cannot write the figures\n", options.json.c_str());
      written = false;
    }
  }
  if (!run.complete()) {
    std::fprintf(stderr, "vevovuvado-sim: the measurement was cut short after %.1f s\n",
                 result.seconds);
    return 1;
  }
  return written ? 0 : 1;
}
