#include "ekey.h"

namespace {
struct KeyNameRow {
  eKey key;
  const char* name;
};
constexpr KeyNameRow kKeyNames[] = {
    {eKey::up, "up"},         {eKey::down, "down"}, {eKey::left, "left"},   {eKey::right, "right"},
    {eKey::ok, "ok"},         {eKey::exit, "exit"}, {eKey::green, "green"}, {eKey::red, "red"},
    {eKey::yellow, "yellow"}, {eKey::blue, "blue"},
};
}  // namespace

const char* keyName(eKey key) {
  for (const auto& row : kKeyNames) {
    if (row.key == key)
      return row.name;
  }
  return "";
}

bool keyFromName(const std::string& name, eKey* key) {
  for (const auto& row : kKeyNames) {
    if (name == row.name) {
      *key = row.key;
      return true;
    }
  }
  return false;
}
