#include <cmath>

#include "host/emath.h"
#include "tone.h"

signed char sinwave[kSineEntries];

void fillSineTable() {
  for (int i = 0; i < kSineEntries; ++i) {
    // 6.2832 rather than 2*pi, and the two products in this order: the table is the same entry
    // for entry, and this is how the receiver's build computed it.
    double x = static_cast<double>(i) * 6.2832;
    x = x * 0.0009765625;
    const double s = SIN(x);
    sinwave[i] = static_cast<signed char>(static_cast<int>(std::round(s * 127.0)));
  }
}
