#pragma once
// The host's string: a std::string with printf-style formatting.

#include <cstdarg>
#include <string>

class eString : public std::string {
 public:
  eString() = default;
  eString(const char* s) : std::string(s ? s : "") {}      // NOLINT: implicit like the host's
  eString(const std::string& s) : std::string(s) {}        // NOLINT
  eString(std::string&& s) : std::string(std::move(s)) {}  // NOLINT

  static eString sprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
  static eString vsprintf(const char* format, va_list args) __attribute__((format(printf, 1, 0)));
};
