#pragma once
// Typed, located access to the fields of a JSON object. Every failure leaves one problem that
// names the place ("/lnbs/0/lof_hi") and what is wrong; no call throws. After the first failure
// the reader stays failed, so a parser can read a whole object and check once.

#include <initializer_list>
#include <nlohmann/json.hpp>
#include <string>

// The first thing wrong with a document.
struct JsonProblem {
  bool failed = false;
  // The JSON pointer of the value at fault, member names as they are ("" for the document).
  std::string place;
  // One line; any part of the document quoted in it is escaped and cut.
  std::string what;
};

class JsonFields {
 public:
  // `place` is the JSON pointer of `value`, "" for the document itself.
  JsonFields(const nlohmann::json& value, std::string place, JsonProblem* problem);

  bool ok() const { return !problem->failed; }
  // Fails unless the value is an object whose keys are all in `known`.
  bool expectObject(std::initializer_list<const char*> known);
  bool has(const char* key) const;

  // Required fields, range-checked (inclusive).
  bool integer(const char* key, long long min, long long max, long long* out);
  bool integer(const char* key, long long min, long long max, int* out);
  bool unsignedInteger(const char* key, unsigned* out);  // 0 to UINT_MAX
  bool number(const char* key, double* out);
  bool boolean(const char* key, bool* out);
  bool text(const char* key, std::string* out);
  // A nested object or array, as a reader placed at that field.
  bool object(const char* key, JsonFields* out);
  bool array(const char* key, JsonFields* out);

  // A reader at a field that exists (check with has()), to report a problem with its value.
  JsonFields member(const char* key) const;

  // The elements of an array reader.
  size_t size() const;
  JsonFields element(size_t index) const;
  // The members of an object reader, in key order.
  template <typename Fn>
  void forEachMember(Fn fn) const {
    if (!ok() || !value->is_object())
      return;
    for (auto it = value->begin(); it != value->end() && ok(); ++it) {
      fn(it.key(), JsonFields(*it, place + "/" + it.key(), problem));
    }
  }

  const nlohmann::json& json() const { return *value; }
  const std::string& where() const { return place; }
  // Records `what` as the problem at this place, unless a problem was recorded before.
  bool fail(const std::string& what);

 private:
  const nlohmann::json* field(const char* key);

  const nlohmann::json* value;
  std::string place;
  JsonProblem* problem;
};

// "an object", "a string", ... for messages.
const char* jsonTypeName(const nlohmann::json& value);
