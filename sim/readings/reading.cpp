#include "reading.h"

#include <cmath>
#include <cstdlib>

double shownSnr(const Reading& reading) {
  const std::string& text = reading.texts[0];
  const char* start = text.c_str();
  char* end = nullptr;
  const double value = std::strtod(start, &end);
  return end == start ? std::nan("") : value;
}
