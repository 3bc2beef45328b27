#include "transponder_json.h"

#include <climits>

namespace {
using json = nlohmann::json;

bool readInt(JsonFields& f, const char* key, int* out) {
  long long v = 0;
  if (!f.integer(key, INT_MIN, INT_MAX, &v))
    return false;
  *out = static_cast<int>(v);
  return true;
}

bool readUnsigned(JsonFields& f, const char* key, unsigned* out) {
  long long v = 0;
  if (!f.integer(key, 0, UINT_MAX, &v))
    return false;
  *out = static_cast<unsigned>(v);
  return true;
}

bool readSatellite(JsonFields f, eTransponder::Satellite* s) {
  return f.expectObject({"valid", "frequency", "symbol_rate", "polarisation", "fec", "inversion",
                         "orbital_position"}) &&
         readInt(f, "valid", &s->valid) && readUnsigned(f, "frequency", &s->frequency) &&
         readUnsigned(f, "symbol_rate", &s->symbol_rate) &&
         readInt(f, "polarisation", &s->polarisation) && readInt(f, "fec", &s->fec) &&
         readInt(f, "inversion", &s->inversion) &&
         readInt(f, "orbital_position", &s->orbital_position);
}

bool readCable(JsonFields f, eTransponder::Cable* c) {
  return f.expectObject(
             {"valid", "frequency", "symbol_rate", "modulation", "inversion", "fec_inner"}) &&
         readInt(f, "valid", &c->valid) && readInt(f, "frequency", &c->frequency) &&
         readInt(f, "symbol_rate", &c->symbol_rate) && readInt(f, "modulation", &c->modulation) &&
         readInt(f, "inversion", &c->inversion) && readInt(f, "fec_inner", &c->fec_inner);
}

bool readTerrestrial(JsonFields f, eTransponder::Terrestrial* t) {
  return f.expectObject({"valid", "centre_frequency", "bandwidth", "code_rate_hp", "code_rate_lp",
                         "constellation", "transmission_mode", "guard_interval",
                         "hierarchy_information", "inversion"}) &&
         readInt(f, "valid", &t->valid) && readInt(f, "centre_frequency", &t->centre_frequency) &&
         readInt(f, "bandwidth", &t->bandwidth) && readInt(f, "code_rate_hp", &t->code_rate_hp) &&
         readInt(f, "code_rate_lp", &t->code_rate_lp) &&
         readInt(f, "constellation", &t->constellation) &&
         readInt(f, "transmission_mode", &t->transmission_mode) &&
         readInt(f, "guard_interval", &t->guard_interval) &&
         readInt(f, "hierarchy_information", &t->hierarchy_information) &&
         readInt(f, "inversion", &t->inversion);
}
}  // namespace

json transponderToJson(const eTransponder& tp) {
  const auto& s = tp.satellite;
  const auto& c = tp.cable;
  const auto& t = tp.terrestrial;
  return json{{"satellite",
               {{"valid", s.valid},
                {"frequency", s.frequency},
                {"symbol_rate", s.symbol_rate},
                {"polarisation", s.polarisation},
                {"fec", s.fec},
                {"inversion", s.inversion},
                {"orbital_position", s.orbital_position}}},
              {"cable",
               {{"valid", c.valid},
                {"frequency", c.frequency},
                {"symbol_rate", c.symbol_rate},
                {"modulation", c.modulation},
                {"inversion", c.inversion},
                {"fec_inner", c.fec_inner}}},
              {"terrestrial",
               {{"valid", t.valid},
                {"centre_frequency", t.centre_frequency},
                {"bandwidth", t.bandwidth},
                {"code_rate_hp", t.code_rate_hp},
                {"code_rate_lp", t.code_rate_lp},
                {"constellation", t.constellation},
                {"transmission_mode", t.transmission_mode},
                {"guard_interval", t.guard_interval},
                {"hierarchy_information", t.hierarchy_information},
                {"inversion", t.inversion}}},
              {"transport_stream_id", tp.transport_stream_id},
              {"original_network_id", tp.original_network_id}};
}

bool transponderFromJson(JsonFields f, eTransponder* tp) {
  *tp = eTransponder();
  if (!f.expectObject(
          {"satellite", "cable", "terrestrial", "transport_stream_id", "original_network_id"})) {
    return false;
  }
  if (!f.has("satellite") && !f.has("cable") && !f.has("terrestrial")) {
    return f.fail("a transponder needs \"satellite\", \"cable\" or \"terrestrial\" parameters");
  }
  JsonFields part = f;
  if (f.has("satellite") &&
      !(f.object("satellite", &part) && readSatellite(part, &tp->satellite))) {
    return false;
  }
  if (f.has("cable") && !(f.object("cable", &part) && readCable(part, &tp->cable)))
    return false;
  if (f.has("terrestrial") &&
      !(f.object("terrestrial", &part) && readTerrestrial(part, &tp->terrestrial))) {
    return false;
  }
  if (f.has("transport_stream_id") &&
      !readInt(f, "transport_stream_id", &tp->transport_stream_id)) {
    return false;
  }
  if (f.has("original_network_id") &&
      !readInt(f, "original_network_id", &tp->original_network_id)) {
    return false;
  }
  return f.ok();
}
