#include "demo_script.h"

namespace {
const char kDemoScript[] = R"(# Start well off the satellite and let the finder tune and settle.
dish -4.0 0.5
wait 1000
toggle sound
wait 500
# Sweep east across the satellite, a quarter degree every quarter second.
dish -3.75 0.5
wait 250
dish -3.5 0.5
wait 250
dish -3.25 0.5
wait 250
dish -3.0 0.5
wait 250
dish -2.75 0.5
wait 250
dish -2.5 0.5
wait 250
dish -2.25 0.4
wait 250
dish -2.0 0.4
wait 250
dish -1.75 0.3
wait 250
dish -1.5 0.3
wait 250
dish -1.25 0.2
wait 250
dish -1.0 0.2
wait 250
dish -0.75 0.1
wait 250
dish -0.5 0.1
wait 250
dish -0.25 0.05
wait 250
dish 0.0 0.0
wait 250
dish 0.25 0.0
wait 250
dish 0.5 0.0
wait 250
dish 0.75 0.0
wait 250
dish 1.0 0.0
wait 250
# Back onto the peak and leave it there.
dish 0.6 0.0
wait 250
dish 0.3 0.0
wait 250
dish 0.1 0.0
wait 1000
# The green key switches to the compact layout and back.
key green
wait 1000
key green
wait 1000
)";
}  // namespace

const char* demoScriptText() {
  return kDemoScript;
}
