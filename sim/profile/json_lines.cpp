#include "json_lines.h"

#include <algorithm>
#include <iterator>
#include <nlohmann/json.hpp>
#include <vector>

namespace {
using json = nlohmann::json;

// Where the parser has read to: the last byte that was not white space. The lexer reads one
// byte past a number, but never past white space that ends a line, so at each event this
// byte is on the line of the token the event is about.
struct ReadPosition {
  const char* lastSignificant = nullptr;
};

class TrackingIterator {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  TrackingIterator(const char* start, ReadPosition* read) : at(start), position(read) {}
  reference operator*() const { return *at; }
  TrackingIterator& operator++() {
    if (*at != ' ' && *at != '\t' && *at != '\n' && *at != '\r')
      position->lastSignificant = at;
    ++at;
    return *this;
  }
  bool operator==(const TrackingIterator& other) const { return at == other.at; }
  bool operator!=(const TrackingIterator& other) const { return at != other.at; }

 private:
  const char* at;
  ReadPosition* position;
};

// Follows the parse with the JSON pointer of the value being read and notes where the value
// at the wanted place starts.
class PlaceFinder : public nlohmann::json_sax<json> {
 public:
  PlaceFinder(const std::string& place, const ReadPosition& read) : wanted(place), position(read) {}
  const char* found() const { return start; }

  bool null() override { return value(); }
  bool boolean(bool) override { return value(); }
  bool number_integer(number_integer_t) override { return value(); }
  bool number_unsigned(number_unsigned_t) override { return value(); }
  bool number_float(number_float_t, const string_t&) override { return value(); }
  bool string(string_t&) override { return value(); }
  bool binary(binary_t&) override { return value(); }
  bool start_object(std::size_t) override { return open(false); }
  bool start_array(std::size_t) override { return open(true); }
  bool key(string_t& name) override {
    current.resize(levels.back().length);
    current += "/" + name;
    return true;
  }
  bool end_object() override { return close(); }
  bool end_array() override { return close(); }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

 private:
  struct Level {
    bool array;
    size_t length;  // of `current` without the member or element
    size_t next;    // the next element's index
  };

  // A value starts: for an array element, its pointer is the array's plus the index.
  void arrive() {
    if (!levels.empty() && levels.back().array) {
      current.resize(levels.back().length);
      current += "/" + std::to_string(levels.back().next++);
    }
    if (current == wanted)
      start = position.lastSignificant;
  }
  bool value() {
    arrive();
    return true;
  }
  bool open(bool array) {
    arrive();
    levels.push_back({array, current.size(), 0});
    return true;
  }
  bool close() {
    current.resize(levels.back().length);
    levels.pop_back();
    return true;
  }

  const std::string& wanted;
  const ReadPosition& position;
  std::string current;
  std::vector<Level> levels;
  const char* start = nullptr;
};
}  // namespace

size_t lineOfPlace(const std::string& text, const std::string& place) {
  ReadPosition position;
  position.lastSignificant = text.data();
  PlaceFinder finder(place, position);
  json::sax_parse(TrackingIterator(text.data(), &position),
                  TrackingIterator(text.data() + text.size(), &position), &finder);
  if (!finder.found())
    return 1;
  return 1 + static_cast<size_t>(std::count(text.data(), finder.found(), '\n'));
}
