#pragma once
// Remote-control keys that reach the modal loop.

#include <string>

enum class eKey { up, down, left, right, ok, exit, green, red, yellow, blue };

// "up", "down", ..., "green": the names scripts and shortcuts use.
const char* keyName(eKey key);
// False when `name` is not a key name.
bool keyFromName(const std::string& name, eKey* key);
