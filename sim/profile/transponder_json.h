#pragma once
// The host's transponder record in JSON: {"satellite": {...}, "cable": {...}, "terrestrial":
// {...}, "transport_stream_id": n, "original_network_id": n}, every field named as the record
// names it. Profiles describe transponders this way and dumps report them this way.

#include <nlohmann/json.hpp>

#include "host/edvb.h"
#include "json_fields.h"

nlohmann::json transponderToJson(const eTransponder& tp);
// Each of "satellite", "cable" and "terrestrial" may be left out (all zero, not valid); a part
// that is given must have all its fields. The ids default to -1 (unknown).
bool transponderFromJson(JsonFields fields, eTransponder* tp);
