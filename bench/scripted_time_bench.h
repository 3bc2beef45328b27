#pragma once
// Scripted runs of virtual time through the simulator's script runner, with the real plug-in
// module: with the tone playing, with the tone thread idle (box unticked) and with no audio
// device; in one long wait and in 250 ms steps.

// Registers the six runs, each `virtualSeconds` of virtual time long (3600: an hour).
void registerScriptedRuns(long virtualSeconds);
