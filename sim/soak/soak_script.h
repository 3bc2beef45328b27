#pragma once
// A long simulator script that tries the finder as a hostile session would: faults switched on
// and off at random on all three devices, retunes and satellite changes, the green key, the
// "Sound" box and dish movements, between waits that add up to a given number of refreshes.
// The same seed gives the same script.

#include <cstdint>
#include <string>

struct SoakPlan {
  long refreshes = 100000;  // the waits add up to this many 250 ms refresh periods
  uint32_t seed = 1;
};

// Script text for the built-in satellite receiver (two configured satellites, each with at
// least three transponders listed). It starts with the box ticked and ends with every fault
// off.
std::string soakScript(const SoakPlan& plan);
