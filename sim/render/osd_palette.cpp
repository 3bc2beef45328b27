#include "osd_palette.h"

#include "eskin.h"

const OsdColorEntry kOsdColors[] = {
    {OsdColor::screen, nullptr, 0x0B0F18},
    {OsdColor::windowFill, "std_background", 0x1C2C4C},
    {OsdColor::titleFill, "std_title", 0x2E4A7A},
    {OsdColor::frame, nullptr, 0x6F8FC0},
    {OsdColor::text, "std_white", 0xFFFFFF},
    {OsdColor::barTrough, nullptr, 0x0E1830},
    {OsdColor::barFill, nullptr, 0x4F86D8},
    {OsdColor::fieldFill, nullptr, 0x26406A},
    {OsdColor::focus, nullptr, 0xF0C020},
    {OsdColor::listHighlight, nullptr, 0x3F6FB8},
    {OsdColor::tick, "std_green", 0x20B040},
    {OsdColor::hint, nullptr, 0x2F8A5C},
};
const int kOsdColorCount = static_cast<int>(sizeof(kOsdColors) / sizeof(kOsdColors[0]));

uint32_t osdColor(OsdColor role) {
  const OsdColorEntry& entry = kOsdColors[static_cast<int>(role)];
  if (entry.skinName) {
    const gColor color = eSkin::getActive()->queryColor(entry.skinName);
    if (color.valid)
      return color.rgb;
  }
  return entry.fallback;
}
