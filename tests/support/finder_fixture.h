#pragma once
// Test host for the finder: a main loop on virtual time (eApp), a stand-in receiver, the
// device models behind the device seam, and a scripted input driver for modal loops. Nothing
// sleeps for real; time moves only when a test lets it.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/receiver.h"
#include "simulated_devices.h"

// Feeds a modal loop: each idle call runs the next step; with no steps left it presses exit,
// which closes whatever modal loop is innermost (a message box, then the window).
class ScriptedInput : public eInputDriver {
 public:
  void wait(long ms);
  void key(eKey k);
  void run(std::function<void()> fn);
  void idle(eMainloop& loop) override;
  bool empty() const { return steps.empty(); }

 private:
  std::deque<std::function<void(eMainloop&)>> steps;
};

class HostFixture : public ::testing::Test {
 protected:
  HostFixture();
  ~HostFixture() override;

  // Debug log lines since the fixture started.
  static std::vector<std::string> log();
  // True when `expected` appear in the log in this order (other lines may come between).
  static bool logHasInOrder(const std::vector<std::string>& expected);
  static int logCount(const std::string& line);

  eMainloop loop{eMainloop::Time::virtualTime};
  StandInReceiver receiver;
  SimulatedDevices devices;
  ScriptedInput input;

 private:
  SimulatedDevices::Installed seam{devices};
};
