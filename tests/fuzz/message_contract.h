#pragma once
// What every refusal of the simulator's readers promises, checked on each fuzz input: one
// line of printable UTF-8 of modest length, however hostile the input. A broken promise
// aborts, which libFuzzer reports as a crash with the input that caused it.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzcheck {

// Longer than any message of ours can get: the fixed wording plus the cut file name, place
// and quoted input (each at most a few dozen characters of up to four bytes).
inline constexpr size_t kLongestMessage = 1024;

[[noreturn]] inline void broken(const char* promise, const std::string& message) {
  std::fprintf(stderr, "broken promise: %s\nmessage (%zu bytes): %.2000s\n", promise,
               message.size(), message.c_str());
  std::abort();
}

// True when `text` is valid UTF-8 without control characters (C0, DEL, C1) or line separators.
inline bool printableUtf8(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      if (lead < 0x20 || lead == 0x7F)
        return false;
      ++i;
      continue;
    }
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || i + length > text.size())
      return false;
    unsigned long value = lead & (0x7Fu >> length);
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0u) != 0x80u)
        return false;
      value = (value << 6) | (next & 0x3Fu);
    }
    const unsigned long smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < smallest[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF ||
        (value >= 0x80 && value <= 0x9F) || value == 0x2028 || value == 0x2029) {
      return false;
    }
    i += length;
  }
  return true;
}

// A refusal: `accepted` false and `message` keeps the promise, prefixed "<source>:<line>: ".
inline void checkRefusal(bool accepted, const std::string& message, const std::string& source) {
  if (accepted) {
    if (!message.empty())
      broken("an accepted input leaves no message", message);
    return;
  }
  if (message.empty())
    broken("a refusal says why", message);
  if (message.size() > kLongestMessage)
    broken("a message is of modest length", message);
  if (!printableUtf8(message))
    broken("a message is one line of printable UTF-8", message);
  const std::string prefix = source + ":";
  size_t digits = prefix.size();
  while (digits < message.size() && message[digits] >= '0' && message[digits] <= '9')
    ++digits;
  if (message.compare(0, prefix.size(), prefix) != 0 || digits == prefix.size() ||
      message.compare(digits, 2, ": ") != 0) {
    broken("a message starts FILE:LINE: ", message);
  }
}

}  // namespace fuzzcheck
