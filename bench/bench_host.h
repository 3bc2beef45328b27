#pragma once
// A receiver for the plug-in's benchmarks: the host's main loop on virtual time (it never moves
// unless a benchmark moves it), the stand-in receiver, the device models behind the device
// seam, a debug log that is dropped, and finder windows built as plugin_exec builds them.
// One at a time per process: the host's state is global.

#include <memory>

#include "host/host.h"
#include "host/receiver.h"
#include "plugin/my_ebeamseek.h"
#include "simulated_devices.h"

class BenchHost {
 public:
  BenchHost();
  ~BenchHost();
  BenchHost(const BenchHost&) = delete;
  BenchHost& operator=(const BenchHost&) = delete;

  // The satellite finder on the built-in receiver's lists, tuned to 11836 MHz H, its chip
  // (`demodType` 0 STV0299B, 1 STV0288) reporting a locked 10 dB signal. No audio device, so
  // no tone thread runs beside the benchmark.
  std::unique_ptr<my_eBeamseek> openSatelliteWindow(int demodType);
  // The terrestrial finder: one region of three channels, the service on the second, the
  // demodulator at 0x08 and the frontend reporting a locked signal.
  std::unique_ptr<my_eBeamseek> openTerrestrialWindow();

  // True when the window shows what the devices above report (locked, 10.0dB or 70%): a
  // benchmark checks it after its refreshes, so a broken refresh cannot pass for a fast one.
  static bool showsTheSignal(const my_eBeamseek& window);

  // Forgets the debug log's lines and the bus's record of transfers. Both grow with every
  // refresh, so a long benchmark calls this now and then to keep its memory flat.
  void dropRecords();

  eMainloop loop{eMainloop::Time::virtualTime};
  StandInReceiver receiver;
  SimulatedDevices devices;

 private:
  SimulatedDevices::Installed seam{devices};
};
