#include "shown_text.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {
constexpr const char* kEllipsis = "...";

std::string hexEscape(unsigned char byte) {
  char escaped[5];
  std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
  return escaped;
}

// The length of the UTF-8 sequence at `at`, or 0 when the bytes there are not one.
size_t utf8Length(const std::string& text, size_t at, uint32_t* codePoint) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length = 0;
  uint32_t value = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07u;
  } else {
    return 0;
  }
  if (at + length > text.size())
    return 0;
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0u) != 0x80u)
      return 0;
    value = (value << 6) | (next & 0x3Fu);
  }
  // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
  const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < smallest[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF)
    return 0;
  *codePoint = value;
  return length;
}

// The piece of `text` at `at` that shows as one character, a plain one or an escape; moves
// `at` past it.
std::string nextPiece(const std::string& text, size_t* at) {
  const auto byte = static_cast<unsigned char>(text[*at]);
  if (byte >= 0x20 && byte < 0x7F)
    return std::string(1, text[(*at)++]);
  if (byte < 0x80) {
    ++*at;
    switch (byte) {
      case '\n':
        return "\\n";
      case '\r':
        return "\\r";
      case '\t':
        return "\\t";
      default:
        return hexEscape(byte);
    }
  }
  uint32_t codePoint = 0;
  const size_t length = utf8Length(text, *at, &codePoint);
  // C1 controls and the Unicode line and paragraph separators break lines too.
  const bool breaksLines =
      (codePoint >= 0x80 && codePoint <= 0x9F) || codePoint == 0x2028 || codePoint == 0x2029;
  if (length == 0 || breaksLines) {
    std::string escaped;
    for (size_t end = *at + (length == 0 ? 1 : length); *at < end; ++*at)
      escaped += hexEscape(static_cast<unsigned char>(text[*at]));
    return escaped;
  }
  *at += length;
  return text.substr(*at - length, length);
}

size_t shownLength(const std::string& piece) {
  // An escape shows all its bytes; a UTF-8 character shows as one.
  return piece.size() > 1 && piece[0] == '\\' ? piece.size() : 1;
}
}  // namespace

std::string shownText(const std::string& text, size_t limit) {
  std::string shown;
  size_t length = 0;
  for (size_t at = 0; at < text.size();) {
    const std::string piece = nextPiece(text, &at);
    if (length + shownLength(piece) > limit)
      return shown + kEllipsis;
    shown += piece;
    length += shownLength(piece);
  }
  return shown;
}

std::string quotedText(const std::string& text) {
  return "\"" + shownText(text) + "\"";
}

std::string shownPath(const std::string& path) {
  // Only the end can show; an escape is at most four bytes per character. Starting within a
  // UTF-8 sequence shows its continuation bytes escaped, which is fine at a cut.
  const size_t window = 4 * kShownPathLimit;
  const size_t from = path.size() > window ? path.size() - window : 0;
  std::vector<std::string> pieces;
  for (size_t at = from; at < path.size();)
    pieces.push_back(nextPiece(path, &at));
  size_t length = 0;
  size_t first = pieces.size();
  while (first > 0 && length + shownLength(pieces[first - 1]) <= kShownPathLimit) {
    --first;
    length += shownLength(pieces[first]);
  }
  std::string shown = first > 0 || from > 0 ? kEllipsis : "";
  for (size_t i = first; i < pieces.size(); ++i)
    shown += pieces[i];
  return shown;
}
