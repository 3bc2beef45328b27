#pragma once
// Reading a file that a person named on the command line (a profile, a script), without
// trusting it: anything that is not a regular file is refused before it is opened, so a
// directory, a FIFO or a device never blocks or streams, and a file larger than the limit is
// refused before it fills the memory.

#include <cstddef>
#include <string>

// The most a profile or a script may hold: far more than any real one.
inline constexpr size_t kInputFileLimit = 16u << 20;  // bytes (16 MiB)

// Reads the whole file at `path` into `text`. On failure returns false and sets `error` to
// one line "<path>: <problem>" (the path shown escaped and cut).
bool readInputFile(const std::string& path, std::string* text, std::string* error,
                   size_t limit = kInputFileLimit);

// False, with `error` as above, unless `path` names a regular file (following symbolic links).
// A path that does not exist passes: whoever opens it reports that in its own words.
bool refuseUnlessRegularFile(const std::string& path, std::string* error);
