// Closing the window ends the tone thread: the stop handshake, then the join, so no thread
// outlives the window.

#include "tone_test_support.h"

namespace {

using ToneShutdownTest = ToneFixture;

TEST_F(ToneShutdownTest, ClosingWhileTheTonePlaysEndsTheThreadWithinOnePass) {
  devices.audio.forceQueueDepth(0);
  openWindow();
  ASSERT_TRUE(startPlaying(100));
  ASSERT_TRUE(gate.runPasses(3));
  const int sleepsBefore = gate.sleeps();

  closeWindow();

  EXPECT_TRUE(logHasInOrder({"warte bis SoundThread beendet ist", "beende VevovuvadoSoundThread",
                             "SoundThread ist beendet"}));
  EXPECT_EQ(logCount("beende VevovuvadoSoundThread"), 1);
  EXPECT_EQ(gate.sleeps(), sleepsBefore);  // finished the pass it was in, slept no more
  EXPECT_TRUE(ToneThreads::exited.load());
  EXPECT_EQ(sound_running.load(), 0);
  EXPECT_EQ(sound_thread, pthread_t{0});
  EXPECT_EQ(devices.audio.openDescriptors(), 0);
  EXPECT_EQ(devices.openDescriptors(), 0);
}

TEST_F(ToneShutdownTest, AThreadThatHasNotStartedWhenTheWindowClosesIsStillWaitedFor) {
  ToneThreads::hold();
  openWindow();
  window->OpenSound();
  ASSERT_EQ(ToneThreads::creations.load(), 1);
  // The thread is let go only once the handshake has found it not running.
  debuglog::setSink([](const std::string& line) {
    if (line == "SoundThread ist beendet")
      ToneThreads::release();
  });

  closeWindow();

  EXPECT_TRUE(ToneThreads::exited.load());
  EXPECT_TRUE(
      logHasInOrder({"warte bis SoundThread beendet ist", "SoundThread ist beendet",
                     "Starte VevovuvadoSoundThread", "beende VevovuvadoSoundThread", "oldTp 0"}));
  EXPECT_EQ(gate.sleeps(), 0);  // it found sound_run 0 at once
  EXPECT_EQ(sound_running.load(), 0);
  EXPECT_EQ(devices.audio.openDescriptors(), 0);
}

TEST_F(ToneShutdownTest, EachWindowStartsAndEndsItsOwnThread) {
  for (int round = 1; round <= 3; ++round) {
    openWindow();
    window->OpenSound();
    ASSERT_TRUE(gate.waitParked(round));
    closeWindow();
    EXPECT_EQ(ToneThreads::creations.load(), round);
    EXPECT_TRUE(ToneThreads::exited.load()) << "round " << round;
    EXPECT_EQ(devices.audio.openDescriptors(), 0) << "round " << round;
    EXPECT_EQ(logCount("beende VevovuvadoSoundThread"), round);
    ToneThreads::exited = false;
  }
}

}  // namespace

// The tone thread as the simulator runs it: started through the seam onto the host's virtual
// clock, with no test gate in between.
class ToneOnVirtualTimeTest : public HostFixture {
 protected:
  ToneOnVirtualTimeTest() {
    receiver.setFrontendType(eFrontend::feSatellite);
    receiver.setServiceAvailable(false);
    window = std::make_unique<my_eBeamseek>(eFrontend::getInstance());
    window->soundBox = new eCheckbox(window.get(), 0, 1);
    window->soundBox->checked.connect(SigC::slot(*window, &my_eBeamseek::SoundOnOff));
    // Every pass that finds room writes: the count of writes is the count of playing passes.
    devices.audio.forceQueueDepth(0);
  }
  std::unique_ptr<my_eBeamseek> window;
};

TEST_F(ToneOnVirtualTimeTest, TheThreadStartsInOneFixedOrderAndEndsAtItsNextWakeTime) {
  RecordingDevices recorder(devices);
  window->OpenSound();
  const std::string fd = std::to_string(sound_fd);
  // OpenSound goes on only once the new thread sleeps: its lines come first, every run.
  const std::vector<std::string> opening = {
      "void\tmy_eBeamseek::OpenSound( void )", "Sound_fd " + fd, "Sound_fd2 " + fd,
      "Starte VevovuvadoSoundThread", "create VevovuvadoThread: 0"};
  EXPECT_EQ(log(), opening);
  const std::vector<std::string> setUp = {"open /dev/sound/dsp 2049",
                                          "ioctl SETFMT 64",
                                          "ioctl CHANNELS 1",
                                          "ioctl SPEED 12000",
                                          "thread",
                                          "sleep 50000",
                                          "write 1024",
                                          "ioctl SYNC"};
  EXPECT_EQ(recorder.trace(), setUp);

  window->soundBox->toggle();
  loop.advance(1000);
  // Idle until the pass at 50 ms sees the tick; from then a write every 50 ms, 100 to 1000.
  EXPECT_EQ(devices.audio.writeResults().size(), 1u + 19u);

  // The destructor polls without letting time pass; the thread's sleep ends at its wake time
  // (1050 ms), its pass writes once more, and it ends.
  window.reset();
  EXPECT_EQ(loop.nowMs(), 1050);
  EXPECT_EQ(devices.audio.writeResults().size(), 1u + 20u);
  const std::vector<std::string> trace = recorder.trace();
  const std::vector<std::string> closing = {"busy wait", "ioctl GETODELAY 5000", "write 1024",
                                            "close"};
  ASSERT_GE(trace.size(), closing.size());
  EXPECT_EQ(std::vector<std::string>(trace.end() - 4, trace.end()), closing);
  EXPECT_TRUE(logHasInOrder({"warte bis SoundThread beendet ist", "beende VevovuvadoSoundThread",
                             "SoundThread ist beendet"}));
  EXPECT_EQ(sound_running.load(), 0);
  EXPECT_EQ(devices.openDescriptors(), 0);
}
