#include "emath.h"

#include <cmath>

double SIN(double radians) {
  return std::sin(radians);
}
