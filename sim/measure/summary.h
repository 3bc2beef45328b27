#pragma once
// The figures of a list of measured values: how many, mean, median, 99th percentile, best and
// worst. Pure arithmetic, for the measurement mode's table.

#include <cstddef>
#include <vector>

struct Summary {
  size_t count = 0;
  // All 0 when count is 0.
  double mean = 0;
  double median = 0;  // the middle value; the mean of the two middle ones for an even count
  double p99 = 0;     // nearest rank: the smallest value that at least 99 % are not above
  double best = 0;    // the smallest
  double worst = 0;   // the largest
};

// Of `values`, in any order.
Summary summarize(std::vector<double> values);
