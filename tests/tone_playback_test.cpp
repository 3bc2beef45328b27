// The tone thread while the box is ticked: pitch, phase continuity across writes, the queue
// limit, and the silent first blocks.

#include <optional>
#include <string>
#include <vector>

#include "audio_analysis.h"
#include "tone_test_support.h"

namespace {

constexpr double kSampleRate = 12000.0;
constexpr int kBlock = 1024;

double fundamentalHz(const std::vector<int8_t>& samples) {
  return ::fundamentalHz(samples, kSampleRate);
}

std::vector<int8_t> samplesOf(const std::vector<OssAudioModel::Block>& blocks, size_t from) {
  std::vector<int8_t> out;
  for (size_t i = from; i < blocks.size(); ++i) {
    out.insert(out.end(), blocks[i].samples.begin(), blocks[i].samples.end());
  }
  return out;
}

bool allZero(const std::vector<int8_t>& samples) {
  for (int8_t s : samples) {
    if (s != 0)
      return false;
  }
  return true;
}

class TonePlaybackTest : public ToneFixture {
 protected:
  TonePlaybackTest() {
    // The virtual clock stands still here, so the queue never drains: give it room and report
    // it empty, and every playing pass writes one block.
    devices.audio.setCapacity(1 << 22);
    devices.audio.forceQueueDepth(0);
    openWindow();
  }
  // Thread writes so far (OpenSound's silence is the first write of all).
  size_t threadWrites() const { return devices.audio.writeResults().size() - 1; }
};

struct PitchCase {
  int step;
  double hz;
};

class TonePitchTest : public TonePlaybackTest, public ::testing::WithParamInterface<PitchCase> {};

TEST_P(TonePitchTest, TheFundamentalFollowsTheStep) {
  const PitchCase c = GetParam();
  ASSERT_TRUE(startPlaying(c.step));
  ASSERT_TRUE(gate.runPasses(12));
  const auto blocks = devices.audio.blocks();
  ASSERT_EQ(blocks.size(), 13u);  // OpenSound's silence, the thread's silence, 11 of tone
  EXPECT_NEAR(fundamentalHz(samplesOf(blocks, 2)), c.hz, c.hz * 1e-5);
  EXPECT_DOUBLE_EQ(c.step * kSampleRate / kBlock, c.hz);
}

const PitchCase kPitches[] = {{100, 1171.875}, {50, 585.9375}, {7, 82.03125}, {333, 3902.34375}};
INSTANTIATE_TEST_SUITE_P(Steps, TonePitchTest, ::testing::ValuesIn(kPitches));

TEST_F(TonePlaybackTest, AStepOfZeroHoldsTheLastSample) {
  ASSERT_TRUE(startPlaying(100));
  ASSERT_TRUE(gate.runPasses(3));  // writes the silence and two blocks of tone
  snr_sound = 0;
  ASSERT_TRUE(gate.runPasses(4));  // writes the last block of tone, then three of step 0
  const auto blocks = devices.audio.blocks();
  ASSERT_EQ(blocks.size(), 8u);
  const auto tone = blocks[4].samples;
  EXPECT_GT(fundamentalHz(samplesOf(blocks, 2)), 0.0);
  const auto held = samplesOf(blocks, 5);
  ASSERT_EQ(held.size(), 3u * kBlock);
  for (int8_t s : held)
    ASSERT_EQ(s, tone.back());
}

TEST_F(TonePlaybackTest, TheFirstBlocksAfterOpeningAndAfterTheFirstTickAreSilence) {
  ASSERT_TRUE(startPlaying(100));  // the pitch is set before the box is ticked
  ASSERT_TRUE(gate.runPasses(2));
  const auto blocks = devices.audio.blocks();
  ASSERT_EQ(blocks.size(), 3u);
  EXPECT_TRUE(allZero(blocks[0].samples)) << "OpenSound's block";
  EXPECT_TRUE(allZero(blocks[1].samples)) << "first block after the tick";
  EXPECT_FALSE(allZero(blocks[2].samples));
  EXPECT_NEAR(fundamentalHz(blocks[2].samples), 1171.875, 1.0);
}

TEST_F(TonePlaybackTest, UntickingStopsBlocksAndTickingAgainPlaysThePreparedOne) {
  ASSERT_TRUE(startPlaying(100));
  ASSERT_TRUE(gate.runPasses(2));
  toggleSound();
  // The thread sleeps at the start of a playing pass, so that pass still writes and fills.
  ASSERT_TRUE(gate.runPass());
  ASSERT_EQ(threadWrites(), 3u);
  const std::vector<int8_t> prepared(wavebuffer, wavebuffer + kBlock);
  snr_sound = 50;
  ASSERT_TRUE(gate.runPasses(3));
  EXPECT_EQ(threadWrites(), 3u);
  toggleSound();
  ASSERT_TRUE(gate.runPasses(2));  // back to the playing sleep, then one write
  ASSERT_EQ(threadWrites(), 4u);
  const auto blocks = devices.audio.blocks();
  EXPECT_EQ(blocks.back().samples, prepared);  // filled at step 100, before the untick
  EXPECT_NEAR(fundamentalHz(blocks.back().samples), 1171.875, 1.0);
}

// After a write that returned `written`, the next block goes on from this entry of phasebuffer.
struct ResumeCase {
  long written;
  int entry;
};

class TonePhaseResumeTest : public TonePlaybackTest,
                            public ::testing::WithParamInterface<ResumeCase> {};

TEST_P(TonePhaseResumeTest, TheNextBlockContinuesFromTheLastAcceptedSample) {
  const ResumeCase c = GetParam();
  constexpr int kStep = 100;
  ASSERT_TRUE(startPlaying(kStep));
  ASSERT_TRUE(gate.runPass());  // writes the silence, fills block A
  const std::vector<int> phasesA(phasebuffer, phasebuffer + kBlock);
  const std::vector<int8_t> samplesA(wavebuffer, wavebuffer + kBlock);

  devices.audio.scriptWriteResults({c.written});
  ASSERT_TRUE(gate.runPass());  // writes A with the scripted result, fills block B
  ASSERT_EQ(devices.audio.writeResults().back(), c.written);

  const int resume = phasesA[static_cast<size_t>(c.entry)];
  for (int i = 0; i < kBlock; ++i) {
    const int phase = (resume + kStep * (i + 1)) % kBlock;
    ASSERT_EQ(phasebuffer[i], phase) << "sample " << i;
    ASSERT_EQ(wavebuffer[i], sinwave[phase]) << "sample " << i;
  }
  // The device kept exactly the accepted part of A.
  const auto accepted = devices.audio.acceptedSamples();
  const size_t kept = c.written > 0 ? static_cast<size_t>(c.written) : 0;
  ASSERT_EQ(accepted.size(), 2u * kBlock + kept);
  EXPECT_TRUE(
      std::equal(accepted.end() - static_cast<long>(kept), accepted.end(), samplesA.begin()));
}

const ResumeCase kResumes[] = {{1024, 1023}, {300, 299}, {0, 1023}, {-1, 1022}};
INSTANTIATE_TEST_SUITE_P(Writes, TonePhaseResumeTest, ::testing::ValuesIn(kResumes));

TEST_F(TonePlaybackTest, ABlockGoesInOnlyBehindAtMost2047QueuedBytes) {
  struct Case {
    const char* what;
    int depth;
    bool requestFails;
    size_t writes;
  };
  const Case kCases[] = {
      {"2047 queued", 2047, false, 3},
      {"2048 queued", 2048, false, 0},
      {"queue depth unknown", 0, true, 0},  // the preset 5000 stands, as if full
  };
  ASSERT_TRUE(startPlaying(100));
  size_t before = threadWrites();
  for (const Case& c : kCases) {
    devices.audio.forceQueueDepth(c.depth);
    devices.audio.faults.ioctl = c.requestFails;
    ASSERT_TRUE(gate.runPasses(3));
    EXPECT_EQ(threadWrites() - before, c.writes) << c.what;
    before = threadWrites();
  }
  devices.audio.faults.ioctl = false;
}

TEST(TonePhaseArithmetic, ResumeIndexAndNextPhaseStayInTheTable) {
  struct Resume {
    long written;
    int index;
  };
  const Resume kResumeCases[] = {{1024, 1023}, {1, 0}, {300, 299}, {0, 1023}, {-1, 1022}};
  for (const Resume& r : kResumeCases)
    EXPECT_EQ(resumeIndex(r.written), r.index) << r.written;

  struct Step {
    int phase;
    int step;
    int next;
  };
  const Step kSteps[] = {
      {0, 0, 0},          {0, 100, 100}, {1000, 100, 76}, {1023, 1, 0},
      {1023, 1024, 1023}, {5, 2047, 4},  {5, -10, 1019},  {0, 2147483647, 1023},
  };
  for (const Step& s : kSteps) {
    EXPECT_EQ(nextPhase(s.phase, s.step), s.next) << s.phase << " + " << s.step;
  }
}

}  // namespace
