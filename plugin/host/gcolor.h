#pragma once
// Colours and fonts as the skin hands them out: looked up by name, carrying that name so a
// renderer or a state dump can tell which skin entry a widget uses.

#include <cstdint>
#include <string>

struct gColor {
  std::string name;    // the skin name it was looked up by; empty for "no colour"
  uint32_t rgb = 0;    // 0xRRGGBB
  bool valid = false;  // false when the skin had no colour of that name
  bool operator==(const gColor& o) const { return name == o.name && rgb == o.rgb; }
  bool operator!=(const gColor& o) const { return !(*this == o); }
};

struct gFont {
  std::string name;    // the skin name it was looked up by
  std::string family;  // e.g. "DejaVu Sans"
  int size = 0;        // pixel height
  bool bold = false;
  bool operator==(const gFont& o) const {
    return name == o.name && family == o.family && size == o.size && bold == o.bold;
  }
};
