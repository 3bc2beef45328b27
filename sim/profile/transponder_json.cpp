#include "transponder_json.h"

#include <climits>

namespace {
using json = nlohmann::json;

bool readSatellite(JsonFields f, eTransponder::Satellite* s) {
  return f.expectObject({"valid", "frequency", "symbol_rate", "polarisation", "fec", "inversion",
                         "orbital_position"}) &&
         f.integer("valid", INT_MIN, INT_MAX, &s->valid) &&
         f.unsignedInteger("frequency", &s->frequency) &&
         f.unsignedInteger("symbol_rate", &s->symbol_rate) &&
         f.integer("polarisation", INT_MIN, INT_MAX, &s->polarisation) &&
         f.integer("fec", INT_MIN, INT_MAX, &s->fec) &&
         f.integer("inversion", INT_MIN, INT_MAX, &s->inversion) &&
         f.integer("orbital_position", INT_MIN, INT_MAX, &s->orbital_position);
}

bool readCable(JsonFields f, eTransponder::Cable* c) {
  return f.expectObject(
             {"valid", "frequency", "symbol_rate", "modulation", "inversion", "fec_inner"}) &&
         f.integer("valid", INT_MIN, INT_MAX, &c->valid) &&
         f.integer("frequency", INT_MIN, INT_MAX, &c->frequency) &&
         f.integer("symbol_rate", INT_MIN, INT_MAX, &c->symbol_rate) &&
         f.integer("modulation", INT_MIN, INT_MAX, &c->modulation) &&
         f.integer("inversion", INT_MIN, INT_MAX, &c->inversion) &&
         f.integer("fec_inner", INT_MIN, INT_MAX, &c->fec_inner);
}

bool readTerrestrial(JsonFields f, eTransponder::Terrestrial* t) {
  return f.expectObject({"valid", "centre_frequency", "bandwidth", "code_rate_hp", "code_rate_lp",
                         "constellation", "transmission_mode", "guard_interval",
                         "hierarchy_information", "inversion"}) &&
         f.integer("valid", INT_MIN, INT_MAX, &t->valid) &&
         f.integer("centre_frequency", INT_MIN, INT_MAX, &t->centre_frequency) &&
         f.integer("bandwidth", INT_MIN, INT_MAX, &t->bandwidth) &&
         f.integer("code_rate_hp", INT_MIN, INT_MAX, &t->code_rate_hp) &&
         f.integer("code_rate_lp", INT_MIN, INT_MAX, &t->code_rate_lp) &&
         f.integer("constellation", INT_MIN, INT_MAX, &t->constellation) &&
         f.integer("transmission_mode", INT_MIN, INT_MAX, &t->transmission_mode) &&
         f.integer("guard_interval", INT_MIN, INT_MAX, &t->guard_interval) &&
         f.integer("hierarchy_information", INT_MIN, INT_MAX, &t->hierarchy_information) &&
         f.integer("inversion", INT_MIN, INT_MAX, &t->inversion);
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
      !f.integer("transport_stream_id", INT_MIN, INT_MAX, &tp->transport_stream_id)) {
    return false;
  }
  if (f.has("original_network_id") &&
      !f.integer("original_network_id", INT_MIN, INT_MAX, &tp->original_network_id)) {
    return false;
  }
  return f.ok();
}
