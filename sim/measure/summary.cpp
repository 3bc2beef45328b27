#include "summary.h"

#include <algorithm>
#include <cmath>
#include <numeric>

Summary summarize(std::vector<double> values) {
  Summary s;
  s.count = values.size();
  if (values.empty())
    return s;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  s.mean = std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(n);
  s.median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  const auto rank = static_cast<size_t>(std::ceil(0.99 * static_cast<double>(n)));
  s.p99 = values[std::max<size_t>(rank, 1) - 1];
  s.best = values.front();
  s.worst = values.back();
  return s;
}
