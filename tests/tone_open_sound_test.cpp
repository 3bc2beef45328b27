// Opening the audio device, starting the tone thread, and the "Sound" box's slot.

#include <fcntl.h>

#include <string>
#include <vector>

#include "tone_test_support.h"

namespace {

static_assert((O_WRONLY | O_NONBLOCK) == 2049, "the device is opened write-only, non-blocking");

using OpenSoundTest = ToneFixture;

bool allZero(const std::vector<int8_t>& samples) {
  for (int8_t s : samples) {
    if (s != 0)
      return false;
  }
  return true;
}

TEST_F(OpenSoundTest, SetsUpTheDeviceInOrderAndStartsAnIdleThread) {
  RecordingDevices recorder(devices);
  openWindow();
  window->OpenSound();
  ASSERT_TRUE(gate.waitParked(1));
  ASSERT_TRUE(gate.runPasses(2));

  const std::vector<std::string> expected = {
      "open /dev/sound/dsp 2049", "ioctl SETFMT 64", "ioctl CHANNELS 1",
      "ioctl SPEED 12000",        "write 1024",      "ioctl SYNC"};
  // An idle thread only sleeps: nothing after the set-up but 50 ms sleeps.
  EXPECT_EQ(recorder.requests(), expected);
  for (const std::string& line : recorder.trace()) {
    if (line.rfind("sleep", 0) == 0) {
      EXPECT_EQ(line, "sleep 50000");
    }
  }
  EXPECT_EQ(gate.sleeps(), 3);

  const OssAudioModel::Settings settings = devices.audio.settings();
  EXPECT_EQ(settings.format, 64);
  EXPECT_EQ(settings.channels, 1);
  EXPECT_EQ(settings.speed, 12000);
  EXPECT_EQ(settings.syncs, 1);
  const auto blocks = devices.audio.blocks();
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].samples.size(), 1024u);
  EXPECT_TRUE(allZero(blocks[0].samples));

  const std::string fd = std::to_string(sound_fd);
  EXPECT_TRUE(logHasInOrder(
      {"void\tmy_eBeamseek::OpenSound( void )", "Sound_fd " + fd, "create VevovuvadoThread: 0"}));
  EXPECT_TRUE(logHasInOrder({"Sound_fd2 " + fd, "Starte VevovuvadoSoundThread"}));
  EXPECT_EQ(sound_run.load(), 1);
  EXPECT_EQ(sound_enable.load(), 0);
  EXPECT_EQ(sound_running.load(), 1);
  EXPECT_EQ(devices.audio.openDescriptors(), 1);

  closeWindow();
  EXPECT_EQ(recorder.requests().back(), "close");
  EXPECT_EQ(devices.audio.openDescriptors(), 0);
}

TEST_F(OpenSoundTest, WithoutADeviceNoThreadStartsAndClosingDoesNotWait) {
  devices.audio.setPresent(false);
  openWindow();
  sound_enable = 1;  // the box was ticked before; opening must leave the flags alone
  window->OpenSound();

  EXPECT_TRUE(logHasInOrder({"void\tmy_eBeamseek::OpenSound( void )", "kein Sounddevice"}));
  EXPECT_EQ(sound_fd, -1);
  EXPECT_EQ(sound_run.load(), 0);
  EXPECT_EQ(sound_enable.load(), 1);
  EXPECT_EQ(ToneThreads::creations.load(), 0);
  EXPECT_EQ(logCount("create VevovuvadoThread: 0"), 0);
  EXPECT_EQ(devices.audio.opensInAll(), 0);

  closeWindow();
  const auto lines = log();
  const auto wait = std::find(lines.begin(), lines.end(), "warte bis SoundThread beendet ist");
  ASSERT_NE(wait, lines.end());
  ASSERT_NE(wait + 1, lines.end());
  EXPECT_EQ(*(wait + 1), "SoundThread ist beendet");
  EXPECT_EQ(logCount("Starte VevovuvadoSoundThread"), 0);
  EXPECT_EQ(logCount("beende VevovuvadoSoundThread"), 0);
  EXPECT_EQ(gate.sleeps(), 0);
}

TEST_F(OpenSoundTest, WhenTheThreadCannotBeCreatedTheDeviceIsClosed) {
  toneThreadCreate = ToneThreads::fail;
  openWindow();
  window->OpenSound();

  EXPECT_EQ(logCount("create VevovuvadoThread: " + std::to_string(EAGAIN)), 1);
  // The silence still goes out and is synchronised, and then nothing holds the device.
  EXPECT_EQ(devices.audio.writeResults().size(), 1u);
  EXPECT_EQ(devices.audio.settings().syncs, 1);
  EXPECT_EQ(devices.audio.opensInAll(), 1);
  EXPECT_EQ(devices.audio.openDescriptors(), 0);
  EXPECT_EQ(devices.openDescriptors(), 0);
  EXPECT_EQ(sound_fd, -1);
  EXPECT_EQ(sound_thread, pthread_t{0});

  closeWindow();
  EXPECT_EQ(logCount("Starte VevovuvadoSoundThread"), 0);
  EXPECT_EQ(logCount("SoundThread ist beendet"), 1);
  EXPECT_EQ(gate.sleeps(), 0);
}

TEST_F(OpenSoundTest, TheSoundBoxSwitchesTheTone) {
  openWindow();
  struct Tick {
    int enable;
    const char* line;
  };
  const Tick kTicks[] = {{1, "sound 1"}, {0, "sound 0"}, {1, "sound 1"}};
  int lines = 0;
  for (const Tick& tick : kTicks) {
    toggleSound();
    ++lines;
    EXPECT_EQ(sound_enable.load(), tick.enable);
    EXPECT_EQ(log().back(), tick.line);
    EXPECT_EQ(logCount("sound 0") + logCount("sound 1"), lines);
  }
}

TEST_F(OpenSoundTest, TheBoxNotTheSignalArgumentDecides) {
  openWindow();
  struct Case {
    int boxChecked;
    int argument;
    int enable;
  };
  const Case kCases[] = {{1, 1, 1}, {0, 0, 0}, {1, 0, 1}, {0, 1, 0}};
  for (const Case& c : kCases) {
    window->soundBox->setCheck(c.boxChecked);
    window->SoundOnOff(c.argument);
    EXPECT_EQ(sound_enable.load(), c.enable) << "box " << c.boxChecked << " arg " << c.argument;
    EXPECT_EQ(log().back(), "sound " + std::to_string(c.enable));
  }
}

}  // namespace
