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
