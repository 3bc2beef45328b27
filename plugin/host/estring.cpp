#include "estring.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

eString eString::sprintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  eString result = vsprintf(format, args);
  va_end(args);
  return result;
}

eString eString::vsprintf(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  eString result;
  if (length > 0) {
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    result.assign(buffer.data(), static_cast<size_t>(length));
  }
  return result;
}
