#pragma once
// The simulator's three ways to run: a script, the demonstration, the desktop window. Each
// returns the program's exit code: 0 done, 1 an output could not be written or the window could
// not be opened, 2 a script line could not be carried out.

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
