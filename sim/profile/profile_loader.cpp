// Profile documents: every field checked for presence, type and range, so a bad file gets one
// message that says where it went wrong instead of a receiver half filled with zeros.

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "input/input_file.h"
#include "input/shown_text.h"
#include "json_fields.h"
#include "json_lines.h"
#include "profile.h"
#include "transponder_json.h"

namespace {
using json = nlohmann::json;

struct ChipName {
  DemodChip chip;
  const char* name;
};
constexpr ChipName kChipNames[] = {
    {DemodChip::STV0299B, "STV0299B"},
    {DemodChip::STV0288, "STV0288"},
    {DemodChip::terrestrial, "terrestrial"},
    {DemodChip::none, "none"},
};

// "#RRGGBB"
bool parseColour(const std::string& text, uint32_t* rgb) {
  if (text.size() != 7 || text[0] != '#')
    return false;
  uint32_t v = 0;
  for (size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    int digit = -1;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    if (digit < 0)
      return false;
    v = v * 16 + static_cast<uint32_t>(digit);
  }
  *rgb = v;
  return true;
}

bool readGeometry(JsonFields& f, ePoint* position, eSize* size) {
  int x = 0, y = 0, w = 0, h = 0;
  if (!(f.integer("x", -4096, 4096, &x) && f.integer("y", -4096, 4096, &y) &&
        f.integer("width", 0, 4096, &w) && f.integer("height", 0, 4096, &h))) {
    return false;
  }
  *position = ePoint(x, y);
  *size = eSize(w, h);
  return true;
}

bool readSkinChild(JsonFields f, eSkinChild* child) {
  if (!f.expectObject({"x", "y", "width", "height", "text", "font"}))
    return false;
  if (!readGeometry(f, &child->position, &child->size))
    return false;
  if (f.has("text")) {
    std::string text;
    if (!f.text("text", &text))
      return false;
    child->hasText = true;
    child->text = text;
  }
  return !f.has("font") || f.text("font", &child->font);
}

bool readSkinElement(JsonFields f, eSkinElement* element) {
  if (!f.expectObject({"x", "y", "width", "height", "title", "children"}))
    return false;
  if (!readGeometry(f, &element->position, &element->clientSize))
    return false;
  if (f.has("title")) {
    std::string title;
    if (!f.text("title", &title))
      return false;
    element->hasTitle = true;
    element->title = title;
  }
  if (!f.has("children"))
    return true;
  JsonFields children = f;
  if (!f.object("children", &children))
    return false;
  children.forEachMember([&](const std::string& name, JsonFields child) {
    eSkinChild c;
    if (readSkinChild(child, &c))
      element->children[name] = c;
  });
  return children.ok();
}

bool readSkin(JsonFields f, eSkin* skin) {
  if (!f.expectObject({"colors", "fonts", "elements"}))
    return false;
  JsonFields part = f;
  if (f.has("colors")) {
    if (!f.object("colors", &part))
      return false;
    part.forEachMember([&](const std::string& name, JsonFields colour) {
      uint32_t rgb = 0;
      if (!colour.json().is_string() || !parseColour(colour.json().get<std::string>(), &rgb)) {
        colour.fail("expected a colour \"#RRGGBB\"");
        return;
      }
      skin->setColor(name, rgb);
    });
    if (!part.ok())
      return false;
  }
  if (f.has("fonts")) {
    if (!f.object("fonts", &part))
      return false;
    part.forEachMember([&](const std::string& name, JsonFields font) {
      std::string family;
      int size = 0;
      bool bold = false;
      if (font.expectObject({"family", "size", "bold"}) && font.text("family", &family) &&
          font.integer("size", 1, 200, &size) && font.boolean("bold", &bold)) {
        skin->setFont(name, family, size, bold);
      }
    });
    if (!part.ok())
      return false;
  }
  if (f.has("elements")) {
    if (!f.object("elements", &part))
      return false;
    part.forEachMember([&](const std::string& name, JsonFields element) {
      eSkinElement e;
      if (readSkinElement(element, &e))
        skin->setElement(name, e);
    });
    if (!part.ok())
      return false;
  }
  return true;
}

bool readLnbs(JsonFields f, std::vector<LnbSpec>* lnbs) {
  for (size_t i = 0; i < f.size() && f.ok(); ++i) {
    JsonFields entry = f.element(i);
    LnbSpec lnb;
    JsonFields sats = entry;
    if (!(entry.expectObject({"lof_hi", "lof_lo", "threshold", "satellites"}) &&
          entry.unsignedInteger("lof_hi", &lnb.lofHi) &&
          entry.unsignedInteger("lof_lo", &lnb.lofLo) &&
          entry.unsignedInteger("threshold", &lnb.threshold) && entry.array("satellites", &sats))) {
      return false;
    }
    for (size_t s = 0; s < sats.size(); ++s) {
      JsonFields sat = sats.element(s);
      LnbSpec::Satellite spec;
      if (!(sat.expectObject({"orbital_position", "description"}) &&
            sat.integer("orbital_position", -1800, 1800, &spec.orbitalPosition) &&
            sat.text("description", &spec.description))) {
        return false;
      }
      lnb.satellites.push_back(spec);
    }
    lnbs->push_back(lnb);
  }
  return f.ok();
}

bool readNetworks(JsonFields f, std::vector<NetworkSpec>* networks) {
  for (size_t i = 0; i < f.size() && f.ok(); ++i) {
    JsonFields entry = f.element(i);
    NetworkSpec network;
    JsonFields tps = entry;
    if (!(entry.expectObject({"name", "orbital_position", "transponders"}) &&
          entry.text("name", &network.name) &&
          entry.integer("orbital_position", INT_MIN, INT_MAX, &network.orbitalPosition) &&
          entry.array("transponders", &tps))) {
      return false;
    }
    for (size_t t = 0; t < tps.size(); ++t) {
      eTransponder tp;
      if (!transponderFromJson(tps.element(t), &tp))
        return false;
      network.transponders.push_back(tp);
    }
    networks->push_back(network);
  }
  return f.ok();
}

bool readCurrent(JsonFields& top, Profile* p) {
  if (!top.has("current_transponder"))
    return top.fail("missing field \"current_transponder\"");
  if (top.json()["current_transponder"].is_null())
    return true;
  JsonFields current = top;
  if (!(top.object("current_transponder", &current) &&
        current.expectObject({"network", "transponder"}) &&
        current.integer("network", 0, INT_MAX, &p->currentNetwork) &&
        current.integer("transponder", 0, INT_MAX, &p->currentTransponder))) {
    return false;
  }
  if (p->currentNetwork >= static_cast<int>(p->networks.size())) {
    return current.fail("network " + std::to_string(p->currentNetwork) + " does not exist");
  }
  const auto& tps = p->networks[static_cast<size_t>(p->currentNetwork)].transponders;
  if (p->currentTransponder >= static_cast<int>(tps.size())) {
    return current.fail("transponder " + std::to_string(p->currentTransponder) +
                        " does not exist in network " + std::to_string(p->currentNetwork));
  }
  return true;
}

bool readSignal(JsonFields f, SignalParameters* s) {
  JsonFields dish = f;
  int tuneDelay = 0;
  long long seed = 0;
  if (!(f.expectObject({"peak_snr_db", "lock_threshold_db", "beamwidth_deg", "jitter_db",
                        "carrier_offset_khz", "aimed_position", "dish", "tune_delay_ms", "seed"}) &&
        f.number("peak_snr_db", &s->peakSnrDb) &&
        f.number("lock_threshold_db", &s->lockThresholdDb) &&
        f.number("beamwidth_deg", &s->beamwidthDeg) && f.number("jitter_db", &s->jitterDb) &&
        f.number("carrier_offset_khz", &s->carrierOffsetKHz) &&
        f.integer("aimed_position", -1800, 1800, &s->aimedPosition) && f.object("dish", &dish) &&
        dish.expectObject({"azimuth", "elevation"}) &&
        dish.number("azimuth", &s->azimuthErrorDeg) &&
        dish.number("elevation", &s->elevationErrorDeg) &&
        f.integer("tune_delay_ms", 0, 60000, &tuneDelay) &&
        f.integer("seed", 0, UINT_MAX, &seed))) {
    return false;
  }
  if (s->beamwidthDeg <= 0) {
    return f.member("beamwidth_deg").fail("must be above 0");
  }
  if (s->jitterDb < 0)
    return f.member("jitter_db").fail("must not be negative");
  s->tuneDelayMs = tuneDelay;
  s->seed = static_cast<unsigned>(seed);
  return true;
}

bool readDemodulator(JsonFields& top, DemodChip* chip) {
  std::string name;
  if (!top.text("demodulator", &name))
    return false;
  for (const ChipName& row : kChipNames) {
    if (name == row.name) {
      *chip = row.chip;
      return true;
    }
  }
  return top.member("demodulator")
      .fail("unknown demodulator " + quotedText(name) +
            " (expected STV0299B, STV0288, terrestrial or none)");
}

// The parser's own words, made one line of ours: "parse error at line 2, column 5: syntax
// error ...; last read: '<token>'" becomes "<source>:2: not JSON, column 5: syntax error
// ...", with the token cut (the parser quotes it whole, however long it is).
std::string notJsonMessage(const std::string& source, std::string message) {
  const auto bracket = message.find("] ");
  if (bracket != std::string::npos)
    message.erase(0, bracket + 2);
  unsigned long line = 1;
  const std::string lead = "parse error at line ";
  const std::string column = ", column ";
  if (message.rfind(lead, 0) == 0) {
    char* end = nullptr;
    line = std::strtoul(message.c_str() + lead.size(), &end, 10);
    const std::string rest(end);
    if (rest.rfind(column, 0) == 0)
      message = "column " + rest.substr(column.size());
  }
  const std::string lastRead = "last read: '";
  const auto token = message.find(lastRead);
  if (token != std::string::npos) {
    const size_t from = token + lastRead.size();
    auto to = message.find("'; expected", from);
    if (to == std::string::npos)
      to = message.size() - (message.back() == '\'' ? 1 : 0);
    message =
        message.substr(0, from) + shownText(message.substr(from, to - from)) + message.substr(to);
  }
  return shownPath(source) + ":" + std::to_string(line) + ": not JSON, " +
         shownText(message, 4 * kShownPathLimit);
}

// "<source>:<line>: at <place>: <what>".
std::string locatedMessage(const std::string& text, const std::string& source,
                           const JsonProblem& problem) {
  return shownPath(source) + ":" + std::to_string(lineOfPlace(text, problem.place)) + ": at " +
         shownText(problem.place.empty() ? "/" : problem.place, kShownPathLimit) + ": " +
         problem.what;
}
}  // namespace

const char* demodChipName(DemodChip chip) {
  for (const ChipName& row : kChipNames) {
    if (row.chip == chip)
      return row.name;
  }
  return "none";
}

bool parseProfile(const std::string& text, const std::string& source, Profile* profile,
                  std::string* error) {
  error->clear();
  json document = json::parse(text, nullptr, false);
  if (document.is_discarded()) {
    // Parse again to learn where: the SAX interface reports the parser's message without
    // throwing.
    struct Locator : nlohmann::json_sax<json> {
      std::string message;
      bool null() override { return true; }
      bool boolean(bool) override { return true; }
      bool number_integer(number_integer_t) override { return true; }
      bool number_unsigned(number_unsigned_t) override { return true; }
      bool number_float(number_float_t, const string_t&) override { return true; }
      bool string(string_t&) override { return true; }
      bool binary(binary_t&) override { return true; }
      bool start_object(std::size_t) override { return true; }
      bool key(string_t&) override { return true; }
      bool end_object() override { return true; }
      bool start_array(std::size_t) override { return true; }
      bool end_array() override { return true; }
      bool parse_error(std::size_t, const std::string&,
                       const nlohmann::detail::exception& ex) override {
        message = ex.what();
        return false;
      }
    } locator;
    json::sax_parse(text, &locator);
    *error = notJsonMessage(source, locator.message.empty() ? "syntax error" : locator.message);
    return false;
  }

  Profile p;
  p.skin = eSkin::builtinDefault();
  JsonProblem problem;
  JsonFields top(document, "", &problem);
  JsonFields part = top;
  if (top.expectObject({"description", "frontend_type", "reception_type", "demodulator",
                        "agc_inverted", "audio_device", "service_available", "skin", "lnbs",
                        "networks", "current_transponder", "signal"}) &&
      top.integer("frontend_type", INT_MIN, INT_MAX, &p.frontendType) &&
      top.integer("reception_type", INT_MIN, INT_MAX, &p.receptionType) &&
      readDemodulator(top, &p.demodulator) && top.boolean("audio_device", &p.audioDevice) &&
      (!top.has("agc_inverted") || top.boolean("agc_inverted", &p.agcInverted)) &&
      (!top.has("service_available") || top.boolean("service_available", &p.serviceAvailable)) &&
      (!top.has("skin") || (top.object("skin", &part) && readSkin(part, &p.skin))) &&
      top.array("lnbs", &part) && readLnbs(part, &p.lnbs) && top.array("networks", &part) &&
      readNetworks(part, &p.networks) && readCurrent(top, &p) && top.object("signal", &part) &&
      readSignal(part, &p.signal)) {
    *profile = std::move(p);
    return true;
  }
  if (!problem.failed)
    problem = JsonProblem{true, "", "invalid profile"};
  *error = locatedMessage(text, source, problem);
  return false;
}

bool loadProfile(const std::string& path, Profile* profile, std::string* error) {
  std::string text;
  return readInputFile(path, &text, error) && parseProfile(text, path, profile, error);
}
