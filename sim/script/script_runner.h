#pragma once
// Runs a parsed script as the host's input driver: each time a modal loop is idle it carries out
// commands up to the next one that lets time pass or presses a key. When the commands run out
// (or one fails) it presses exit at every idle, which closes any message box and then the finder.

#include <functional>
#include <string>

#include "host/host.h"
#include "script.h"

class SignalModel;
class SimulatedDevices;

// What a script acts on, supplied by the simulator.
class ScriptTarget {
 public:
  virtual ~ScriptTarget() = default;
  // The widget named `name` in the innermost modal window, else in the finder; nullptr if none.
  virtual eWidget* findWidget(const std::string& name) = 0;
  virtual SignalModel& signalModel() = 0;
  virtual SimulatedDevices& simulatedDevices() = 0;
  virtual bool writeDump(const std::string& path, std::string* error) = 0;
  virtual bool writePng(const std::string& path, std::string* error) = 0;
  // The simulator's whole window (the screen and its panel) at that size, as PNG.
  virtual bool writeWindowPng(const std::string& path, int width, int height,
                              std::string* error) = 0;
};

class ScriptRunner : public eInputDriver {
 public:
  ScriptRunner(const Script& script, std::string source, ScriptTarget& target);

  void idle(eMainloop& loop) override;

  // Called once, when the last command has run and before the finder is closed.
  std::function<void()> onFinished;
  // The demonstration runs on any profile: a window without the widget a line names (no
  // "Sound" box on a terrestrial receiver, say) skips that line instead of failing.
  void skipMissingWidgets() { lenient = true; }
  bool failed() const { return !failure.empty(); }
  // After the run: when the finder closed (an exit key, say) before every command ran, records
  // that as the failure of the first command left, so no line is skipped unnoticed.
  void checkAllRan();
  // "<source>:<line>: <problem>" of the command that failed.
  const std::string& error() const { return failure; }

 private:
  // Carries out one command; false with `problem` set when it cannot be done.
  bool execute(const ScriptCommand& command, eMainloop& loop, std::string* problem);

  const Script& script;
  std::string source;
  ScriptTarget& target;
  size_t next = 0;
  bool finished = false;
  bool lenient = false;
  std::string failure;
};
