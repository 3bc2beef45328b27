#include "tone_analysis.h"

#include "audio_analysis.h"
#include "tone/tone.h"

namespace {
constexpr int64_t kRate = OssAudioModel::kRate;
int64_t samplesToUs(int64_t n) {
  return n * 1000000 / kRate;
}
constexpr int kRun = 16;  // samples that must follow a step before it counts as found
}  // namespace

std::vector<PlayedSample> flatten(const std::vector<OssAudioModel::Block>& blocks) {
  std::vector<PlayedSample> out;
  for (const OssAudioModel::Block& b : blocks) {
    for (size_t i = 0; i < b.samples.size(); ++i) {
      out.push_back({b.playStartUs + samplesToUs(static_cast<int64_t>(i)), b.samples[i]});
    }
  }
  return out;
}

double fundamentalHz(const std::vector<PlayedSample>& played, int64_t fromUs, int64_t toUs) {
  std::vector<int8_t> window;
  for (const PlayedSample& p : played) {
    if (p.atUs >= fromUs && p.atUs < toUs)
      window.push_back(p.value);
  }
  return fundamentalHz(window, static_cast<double>(kRate));
}

long firstSampleWithStep(const std::vector<PlayedSample>& played, int64_t fromUs, int step) {
  for (size_t k = 1; k + kRun < played.size(); ++k) {
    if (played[k].atUs < fromUs)
      continue;
    // Sample k-1 holds some phase p; sample k is the first of the new step if it and the
    // following ones are sinwave[p + step * j].
    for (int p = 0; p < kSineEntries; ++p) {
      if (sinwave[p] != played[k - 1].value)
        continue;
      bool follows = true;
      for (int j = 1; j <= kRun && follows; ++j) {
        follows = sinwave[(p + step * j) % kSineEntries] == played[k - 1 + j].value;
      }
      if (follows)
        return static_cast<long>(k);
    }
  }
  return -1;
}

Gaps gapsAfter(const std::vector<OssAudioModel::Block>& blocks, int64_t fromUs) {
  Gaps gaps;
  for (size_t i = 1; i < blocks.size(); ++i) {
    const OssAudioModel::Block& prev = blocks[i - 1];
    const int64_t prevEnd =
        prev.playStartUs + samplesToUs(static_cast<int64_t>(prev.samples.size()));
    if (prevEnd < fromUs)
      continue;
    const int64_t gap = blocks[i].playStartUs - prevEnd;
    if (gap > samplesToUs(1)) {
      if (gaps.count == 0)
        gaps.firstUs = prevEnd;
      ++gaps.count;
      gaps.silentUs += gap;
    }
  }
  return gaps;
}
