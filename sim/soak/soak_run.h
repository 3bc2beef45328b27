#pragma once
// Runs a script on a simulation as a soak: whenever the finder waits for its input (before each
// wait or key line of the script, and at its end) it checks the descriptors
// the finder holds (no I2C bus or frontend descriptor may stay open between two refreshes, and
// exactly one audio descriptor, the tone thread's, while the window is open), after the finder
// has closed that none is left, and it follows the process's resident memory.

#include <string>

#include "app/simulation.h"
#include "script/script.h"

struct SoakResult {
  bool ran = false;      // the script ran to its end
  std::string error;     // the script's failure, if any
  long checks = 0;       // moments the open window was checked
  long badChecks = 0;    // of these, with a descriptor count not as it should be
  std::string firstBad;  // what the first bad check saw
  int openAfter = -1;    // descriptors open after the finder closed
  // Resident memory in KiB: at the first check, at check number `warmUpChecks`, the most seen
  // from then on, and after the finder closed.
  long rssFirstKb = 0;
  long rssWarmKb = 0;
  long rssPeakKb = 0;
  long rssEndKb = 0;
};

// The soak's own input driver wraps the script's; the memory baseline is taken at check number
// `warmUpChecks`, once the allocator has settled.
SoakResult runSoak(Simulation& simulation, const Script& script, long warmUpChecks);

// VmRSS of this process in KiB, or 0 when /proc cannot say.
long residentKb();
