#pragma once
// The simulator's ways to run: a script, the demonstration, the desktop window, the
// measurement. Each returns the program's exit code: 0 done, 1 an output could not be written
// or the window could not be opened, 2 a script line could not be carried out.

#include <string>

#include "script/script.h"
#include "simulation.h"

struct RunOutputs {
  std::string png;     // the finder at the end (before it is closed); empty: none
  std::string wav;     // what was played, written after the finder closed; empty: none
  std::string plot;    // the plot of the run, written after the finder closed; empty: none
  std::string window;  // the whole window with its panel, before the finder closes; empty: none
};

// `demonstration`: lines naming a widget the window lacks are skipped.
int runScript(Simulation& simulation, const Script& script, const std::string& source,
              const RunOutputs& outputs, bool demonstration);
int runInteractive(Simulation& simulation, const RunOutputs& outputs);

struct MeasureOptions {
  double seconds = 0;
  bool window = false;   // show the frames in a desktop window
  std::string receiver;  // how the table names the receiver
  std::string json;      // where to write the figures as JSON; empty: nowhere
};
// The measurement mode: prints its table on standard output. 1 also when the run was cut
// short (the table then says how far it came).
int runMeasure(Simulation& simulation, const RunOutputs& outputs, const MeasureOptions& options);
