#pragma once
// Input that a person handed the simulator, made fit to quote in a one-line message: control
// characters, line separators and bytes that are not UTF-8 are shown escaped ("\n", "\x00"),
// and long input is cut with an ellipsis, so a message is always one readable line however
// hostile the input.

#include <cstddef>
#include <string>

// Quoted words and values are cut to this many characters (an escape counts its length).
inline constexpr size_t kShownTextLimit = 40;
// File names and places in documents are cut to this many, keeping their end.
inline constexpr size_t kShownPathLimit = 80;

// `text` escaped and cut to `limit` characters plus "...".
std::string shownText(const std::string& text, size_t limit = kShownTextLimit);
// The same in double quotes: "purple".
std::string quotedText(const std::string& text);
// A path escaped, and cut from the front ("...ofiles/p.json") so that the file name shows.
std::string shownPath(const std::string& path);
