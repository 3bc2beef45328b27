#include "measure_analysis.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "readings/tone_pitch.h"

namespace {
constexpr double kRate = 12000.0;
// A fill this close to a refresh may have seen the step before it or after it.
constexpr int64_t kFillMarginUs = 1000;

double ms(int64_t us) {
  return static_cast<double>(us) / 1000.0;
}

// The first refresh measured after `us`, or refreshes.size().
size_t firstRefreshAfter(const std::vector<RefreshRecord>& refreshes, int64_t us) {
  size_t i = 0;
  while (i < refreshes.size() && refreshes[i].measuredUs <= us)
    ++i;
  return i;
}

int64_t playStartUs(const ToneBlocks::Block& b) {
  return sampleToUs(b.crossings.firstSample);
}
}  // namespace

int64_t sampleToUs(int64_t sample) {
  return sample * 1000000 / 12000;
}

int64_t usToSample(int64_t us) {
  return us * 12000 / 1000000;
}

std::vector<double> refreshPeriodsMs(const std::vector<RefreshRecord>& refreshes, int64_t fromUs,
                                     int64_t toUs) {
  std::vector<double> periods;
  const RefreshRecord* previous = nullptr;
  for (const RefreshRecord& r : refreshes) {
    if (r.measuredUs < fromUs || r.measuredUs >= toUs)
      continue;
    if (previous)
      periods.push_back(ms(r.measuredUs - previous->measuredUs));
    previous = &r;
  }
  return periods;
}

std::vector<double> displayDelaysMs(const std::vector<int64_t>& changesUs,
                                    const std::vector<RefreshRecord>& refreshes,
                                    const std::vector<int64_t>& framesUs) {
  std::vector<double> delays;
  for (int64_t change : changesUs) {
    const size_t r = firstRefreshAfter(refreshes, change);
    if (r == refreshes.size())
      continue;
    const auto frame = std::lower_bound(framesUs.begin(), framesUs.end(), refreshes[r].shownUs);
    if (frame != framesUs.end())
      delays.push_back(ms(*frame - change));
  }
  return delays;
}

std::vector<double> toneDelaysMs(const std::vector<int64_t>& changesUs,
                                 const std::vector<RefreshRecord>& refreshes,
                                 const std::vector<ToneBlocks::Block>& blocks) {
  std::vector<double> delays;
  size_t first = 0;
  for (size_t c = 0; c < changesUs.size(); ++c) {
    const size_t after = firstRefreshAfter(refreshes, changesUs[c]);
    if (after == 0 || after == refreshes.size())
      continue;
    const RefreshRecord& oldRefresh = refreshes[after - 1];
    const RefreshRecord& newRefresh = refreshes[after];
    if (!oldRefresh.hasStep || !newRefresh.hasStep || oldRefresh.step == newRefresh.step)
      continue;
    int64_t untilUs = INT64_MAX;
    if (c + 1 < changesUs.size()) {
      const size_t next = firstRefreshAfter(refreshes, changesUs[c + 1]);
      if (next < refreshes.size())
        untilUs = refreshes[next].measuredUs;
    }
    const double oldHz = pitchHz(oldRefresh.step);
    const double newHz = pitchHz(newRefresh.step);
    // Blocks play in the order they were written; the search for one change starts where the
    // blocks of the change before began.
    while (first < blocks.size() && playStartUs(blocks[first]) < newRefresh.measuredUs)
      ++first;
    for (size_t k = first; k < blocks.size() && playStartUs(blocks[k]) < untilUs; ++k) {
      if (blocks[k].crossings.silent)
        continue;
      const double hz = crossingsHz(blocks[k].crossings, kRate);
      if (std::abs(hz - newHz) < std::abs(hz - oldHz)) {
        delays.push_back(ms(playStartUs(blocks[k]) - changesUs[c]));
        break;
      }
    }
  }
  return delays;
}

std::vector<double> pitchErrorsHz(const std::vector<RefreshRecord>& refreshes,
                                  const std::vector<ToneBlocks::Block>& blocks, int64_t fromUs,
                                  int64_t toUs) {
  // The step each block was filled with: the step of the last refresh over before the write of
  // the block before it; -1 when that is not certain or not known. Both lists run forward in
  // time, so one pass over each.
  std::vector<int> steps(blocks.size(), -1);
  size_t over = 0;  // refreshes over before the fill
  for (size_t k = 1; k < blocks.size(); ++k) {
    const int64_t fill = blocks[k - 1].writtenUs;
    while (over < refreshes.size() && refreshes[over].shownUs < fill)
      ++over;
    bool near = false;
    for (size_t r = over > 0 ? over - 1 : 0; r < std::min(refreshes.size(), over + 2); ++r) {
      near = near || (fill >= refreshes[r].measuredUs - kFillMarginUs &&
                      fill <= refreshes[r].shownUs + kFillMarginUs);
    }
    if (over > 0 && !near && refreshes[over - 1].hasStep)
      steps[k] = refreshes[over - 1].step;
  }
  std::vector<double> errors;
  Crossings stretch;
  int stretchStep = -1;
  auto close = [&] {
    if (stretchStep > 0 && stretch.samples > 0)
      errors.push_back(std::abs(crossingsHz(stretch, kRate) - pitchHz(stretchStep)));
    stretch = Crossings{};
    stretchStep = -1;
  };
  for (size_t k = 0; k < blocks.size(); ++k) {
    const Crossings& c = blocks[k].crossings;
    const int64_t start = playStartUs(blocks[k]);
    const bool usable = steps[k] > 0 && !c.silent && start >= fromUs && start < toUs;
    const bool continues =
        usable && steps[k] == stretchStep && c.firstSample == stretch.firstSample + stretch.samples;
    if (!continues)
      close();
    if (!usable)
      continue;
    stretch = stretchStep < 0 ? c : joined(stretch, c);
    stretchStep = steps[k];
  }
  close();
  return errors;
}

Underruns underruns(const std::vector<ToneBlocks::Block>& blocks, int64_t streamFromUs,
                    int64_t fromUs, int64_t toUs) {
  Underruns u;
  const ToneBlocks::Block* previous = nullptr;
  for (const ToneBlocks::Block& b : blocks) {
    if (b.writtenUs < streamFromUs)
      continue;
    if (previous) {
      const Crossings& p = previous->crossings;
      const int64_t end = p.firstSample + p.samples;
      const int64_t gap = b.crossings.firstSample - end;
      const int64_t gapStartUs = sampleToUs(end);
      if (gap > 0 && gapStartUs >= fromUs && gapStartUs < toUs) {
        ++u.count;
        u.silenceMs += static_cast<double>(gap) * 1000.0 / kRate;
      }
    }
    previous = &b;
  }
  return u;
}
