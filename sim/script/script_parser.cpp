#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "input/input_file.h"
#include "input/shown_text.h"
#include "render/window_layout.h"
#include "script.h"

namespace {
// A whole-token integer, decimal or 0x hex, with an optional sign. A leading 0 stays decimal:
// "010" means ten to a person writing a script.
bool parseInteger(const std::string& token, long long* out) {
  if (token.empty())
    return false;
  const size_t digits = (token[0] == '-' || token[0] == '+') ? 1 : 0;
  const bool hex = token.size() > digits + 2 && token[digits] == '0' &&
                   (token[digits + 1] == 'x' || token[digits + 1] == 'X');
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(token.c_str(), &end, hex ? 16 : 10);
  if (errno != 0 || end == token.c_str() || *end != '\0')
    return false;
  *out = v;
  return true;
}

bool parseNumber(const std::string& token, double* out) {
  if (token.empty())
    return false;
  char* end = nullptr;
  const double v = std::strtod(token.c_str(), &end);
  if (end == token.c_str() || *end != '\0' || !std::isfinite(v))
    return false;
  *out = v;
  return true;
}

bool isOneOf(const std::string& word, std::initializer_list<const char*> options) {
  for (const char* o : options) {
    if (word == o)
      return true;
  }
  return false;
}

class LineParser {
 public:
  LineParser(std::vector<std::string> w, std::string* e) : words(std::move(w)), error(e) {}

  bool parse(ScriptCommand* c) {
    const std::string& verb = words[0];
    if (verb == "wait")
      return count(2) && integer(1, 0, 3600000, &c->number) && set(c, K::wait);
    if (verb == "key") {
      if (!count(2))
        return false;
      if (!keyFromName(words[1], &c->key)) {
        return fail("unknown key " + quotedText(words[1]) +
                    " (up, down, left, right, ok, exit, green, red, yellow, blue)");
      }
      return set(c, K::key);
    }
    if (verb == "select") {
      c->widget = words.size() > 1 ? words[1] : "";
      return count(3) && integer(2, 0, 100000, &c->number) && set(c, K::select);
    }
    if (verb == "toggle" || verb == "focus") {
      if (!count(2))
        return false;
      c->widget = words[1];
      return set(c, verb == "toggle" ? K::toggle : K::focus);
    }
    if (verb == "dish") {
      return count(3) && number(1, &c->azimuth) && number(2, &c->elevation) && set(c, K::dish);
    }
    if (verb == "reg" || verb == "unreg")
      return parseRegister(c, verb == "reg");
    if (verb == "frontend") {
      if (!count(3))
        return false;
      if (!isOneOf(words[1], {"if", "snr", "strength", "ber", "status"})) {
        return fail("unknown frontend value " + quotedText(words[1]) +
                    " (if, snr, strength, ber or status)");
      }
      c->field = words[1];
      return integer(2, -2147483648LL, 4294967295LL, &c->number) && set(c, K::frontend);
    }
    if (verb == "fault") {
      if (!count(4))
        return false;
      if (!isOneOf(words[1], {"i2c", "frontend", "audio"})) {
        return fail("unknown device " + quotedText(words[1]) + " (i2c, frontend or audio)");
      }
      if (!isOneOf(words[2], {"open", "select", "write", "read", "short-read", "ioctl"})) {
        return fail("unknown operation " + quotedText(words[2]) +
                    " (open, select, write, read, short-read or ioctl)");
      }
      if (!isOneOf(words[3], {"on", "off"}))
        return fail("expected on or off, got " + quotedText(words[3]));
      c->field = words[1];
      c->operation = words[2];
      c->on = words[3] == "on";
      return set(c, K::fault);
    }
    if (verb == "dump" || verb == "png") {
      if (!count(2))
        return false;
      c->path = words[1];
      return set(c, verb == "dump" ? K::dump : K::png);
    }
    if (verb == "window")
      return parseWindow(c);
    return fail("unknown command " + quotedText(verb) +
                " (wait, key, select, toggle, focus, dish, reg, unreg, frontend, fault, dump, "
                "png, window)");
  }

 private:
  using K = ScriptCommand::Kind;

  bool set(ScriptCommand* c, K kind) {
    c->kind = kind;
    return true;
  }
  bool fail(const std::string& problem) {
    *error = problem;
    return false;
  }
  bool count(size_t n) {
    if (words.size() == n)
      return true;
    return fail(words[0] + " takes " + std::to_string(n - 1) + " argument" + (n == 2 ? "" : "s") +
                ", got " + std::to_string(words.size() - 1));
  }
  bool integer(size_t i, long long min, long long max, long long* out) {
    if (!parseInteger(words[i], out))
      return fail(quotedText(words[i]) + " is not a whole number");
    if (*out < min || *out > max) {
      return fail(shownText(words[i]) + " is out of range " + std::to_string(min) + " to " +
                  std::to_string(max));
    }
    return true;
  }
  bool number(size_t i, double* out) {
    return parseNumber(words[i], out) || fail(quotedText(words[i]) + " is not a number");
  }
  bool parseRegister(ScriptCommand* c, bool pin) {
    if (pin ? words.size() < 4 : !count(3)) {
      return pin ? fail("reg takes an address, a register and at least one byte") : false;
    }
    long long v = 0;
    if (!integer(1, 0, 0x7F, &v))
      return false;
    c->address = static_cast<int>(v);
    if (words[2] == "plain") {
      c->reg = -1;
    } else {
      if (!integer(2, 0, 255, &v))
        return false;
      c->reg = static_cast<int>(v);
    }
    if (!pin)
      return set(c, K::unreg);
    for (size_t i = 3; i < words.size(); ++i) {
      if (!integer(i, 0, 255, &v))
        return false;
      c->bytes.push_back(static_cast<uint8_t>(v));
    }
    return set(c, K::reg);
  }

  // window FILE [WIDTHxHEIGHT]: the simulator's whole window, 1280x576 unless given.
  bool parseWindow(ScriptCommand* c) {
    if (words.size() != 2 && words.size() != 3)
      return fail("window takes a file and optionally a size, got " +
                  std::to_string(words.size() - 1) + " arguments");
    c->path = words[1];
    c->width = kDefaultWindowWidth;
    c->height = kDefaultWindowHeight;
    if (words.size() == 3) {
      const std::string& size = words[2];
      const size_t x = size.find('x');
      long long w = 0;
      long long h = 0;
      if (x == std::string::npos || !parseInteger(size.substr(0, x), &w) ||
          !parseInteger(size.substr(x + 1), &h) || w < 16 || h < 16 || w > 8192 || h > 8192) {
        return fail(quotedText(size) + " is not a size WIDTHxHEIGHT from 16x16 to 8192x8192");
      }
      c->width = static_cast<int>(w);
      c->height = static_cast<int>(h);
    }
    return set(c, K::window);
  }

  std::vector<std::string> words;
  std::string* error;
};

// Scripts are plain text: a byte below 0x20 other than tab and carriage return (a line read
// from a Windows file ends in one), or DEL, is refused, so a NUL cannot cut a word short and a
// message never carries a control character. Returns the column (from 1) of the first, or 0.
size_t controlCharacterColumn(const std::string& line) {
  for (size_t i = 0; i < line.size(); ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7F)
      return i + 1;
  }
  return 0;
}
}  // namespace

bool parseScript(const std::string& text, const std::string& source, Script* script,
                 std::string* error) {
  Script parsed;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    std::string problem;
    ScriptCommand command;
    command.line = number;
    if (const size_t column = controlCharacterColumn(line)) {
      problem = "control character " + shownText(line.substr(column - 1, 1)) + " in column " +
                std::to_string(column) + " (a script is plain text)";
    } else {
      const auto hash = line.find('#');
      if (hash != std::string::npos)
        line.erase(hash);
      std::istringstream tokens(line);
      std::vector<std::string> words;
      for (std::string w; tokens >> w;)
        words.push_back(w);
      if (words.empty())
        continue;
      if (!LineParser(words, &problem).parse(&command) && problem.empty())
        problem = "not a command";
    }
    if (!problem.empty()) {
      *error = shownPath(source) + ":" + std::to_string(number) + ": " + problem;
      return false;
    }
    parsed.commands.push_back(std::move(command));
  }
  *script = std::move(parsed);
  return true;
}

bool loadScript(const std::string& path, Script* script, std::string* error) {
  std::string text;
  return readInputFile(path, &text, error) && parseScript(text, path, script, error);
}
