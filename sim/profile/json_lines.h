#pragma once
// Which line of a JSON document a value stands on, so a message about a field can say
// "FILE:LINE:" like every other message of the simulator.

#include <cstddef>
#include <string>

// The line (1 for the first) where the value at `place` starts in `text`, a valid JSON
// document. `place` is a JSON pointer as JsonFields spells it: "" for the document, member
// names as they are, "/lnbs/0/lof_hi". When a member name repeats, the last one counts, as it
// does for the parsed document. 1 when there is no such value.
size_t lineOfPlace(const std::string& text, const std::string& place);
