#pragma once
// One simulated receiver with the plug-in loaded into it: the host's main loop, the stand-in
// receiver filled from a profile, the profile's skin, the device models behind the device seam
// and the signal model. It loads the plug-in module with dlopen and calls plugin_exec exactly
// as the receiver's GUI host does. It records a reading at each refresh of the finder (for the
// CSV file, the panel's chart and peak hold, and the plot). One at a time per process (the
// host's state is global).

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/receiver.h"
#include "panel_view.h"
#include "profile/profile.h"
#include "readings/measurement_tap.h"
#include "readings/peak_hold.h"
#include "readings/reading.h"
#include "readings/readings_csv.h"
#include "readings/readings_history.h"
#include "screen_renderer.h"
#include "script/script_runner.h"
#include "signal_model/signal_model.h"
#include "simulated_devices.h"
#include "wav_file.h"

// Makes the loop the host's eApp before anything that needs one is built.
struct HostClock {
  explicit HostClock(eMainloop::Time mode);
  ~HostClock();
  eMainloop loop;
};

class Simulation : public ScriptTarget {
 public:
  Simulation(const Profile& profile, eMainloop::Time time);
  ~Simulation() override;
  Simulation(const Simulation&) = delete;
  Simulation& operator=(const Simulation&) = delete;

  // Loads the module and finds plugin_exec; false with the loader's reason.
  bool loadModule(const std::string& path, std::string* error);
  // Runs the plug-in with `driver` feeding its modal loops; returns plugin_exec's result.
  int runPlugin(eInputDriver& driver);

  eMainloop& loop() { return clock.loop; }
  const Profile& receiverProfile() const { return profile; }
  const SimulatedDevices& deviceModels() const { return devices; }

  // From now on every refresh is appended to `path` as a CSV row (see readings_csv.h). False,
  // with *error set, when the file cannot be made.
  bool recordCsv(const std::string& path, std::string* error);
  // True while every row so far has been written (or none is recorded).
  bool csvWritten() const { return !csvFailed; }
  const ReadingsHistory& readings() const { return history; }
  // The peak hold starts again from the next refresh.
  void resetPeak() { peak.reset(); }

  // For measurements; each is called only while set.
  // On the GUI thread once each refresh of the finder is over (its widgets show it from then
  // on), with its reading and the loop time of its measurement in microseconds.
  std::function<void(const Reading& reading, int64_t measuredUs)> onRefresh;
  // On the writing thread for every block the audio device accepts: the loop time of the
  // write, where the block begins on the device's play-out timeline (12000 samples a second,
  // sample 0 at loop time 0) and its samples. Set it before runPlugin().
  std::function<void(int64_t writtenUs, int64_t firstSample, const int8_t* samples, size_t count)>
      onToneWritten;
  // On a thread of the module just before it sleeps (the tone thread's passes). Set it before
  // runPlugin().
  std::function<void()> onModuleSleep;

  // The finder window (and message boxes over it) as the receiver's screen shows them.
  Image screen();
  // What the panel shows now.
  PanelView panel() const;
  // The simulator's whole window at `width` x `height` pixels: the screen and the panel.
  Image window(int width, int height);
  // The plot of the whole run (shown and true SNR, pitch, dish error) as a PNG file.
  bool writePlot(const std::string& path, std::string* error);
  // What the loudspeaker plays goes, as it plays, to a WAV file and to a listener, and is not
  // kept beyond that. Both are asked for before the plug-in runs.
  // Streams into a WAV file at `path`; false with the reason when it cannot be created.
  bool recordSound(const std::string& path, std::string* error);
  // Gathers what plays for takeSound() (the desktop window's sound output).
  void listenToSound();
  // What played since the last call, up to now.
  std::vector<int8_t> takeSound();
  // Everything up to now into the WAV file, which is then complete; false with the reason.
  bool finishSound(std::string* error);

  // ScriptTarget
  eWidget* findWidget(const std::string& name) override;
  SignalModel& signalModel() override { return model; }
  SimulatedDevices& simulatedDevices() override { return devices; }
  bool writeDump(const std::string& path, std::string* error) override;
  bool writePng(const std::string& path, std::string* error) override;
  bool writeWindowPng(const std::string& path, int width, int height, std::string* error) override;

 private:
  using PluginExec = int (*)(void*);

  // At the finder's measurement: the model's side now, the widgets once the refresh is over.
  void measured();
  void record(Reading reading, int64_t measuredUs);
  void toneWritten(const int8_t* samples, long accepted);

  const Profile profile;
  HostClock clock;
  StandInReceiver receiver;
  eSkin skin;
  SimulatedDevices devices;
  SignalModel model;
  MeasurementTap tap;
  SimulatedDevices::Installed seam{tap};
  void playedSound(const int8_t* samples, size_t count);  // the audio model's play-out sink

  WavWriter wav;
  bool listening = false;
  std::mutex heardMutex;  // taken inside the audio model's lock
  std::vector<int8_t> heard;
  void* module = nullptr;
  PluginExec pluginExec = nullptr;

  CsvFile csv;
  bool csvFailed = false;
  ReadingsHistory history;
  PeakHold peak;
  std::optional<Reading> lastReading;
};
