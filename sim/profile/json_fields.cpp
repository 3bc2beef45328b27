#include "json_fields.h"

#include <climits>
#include <cmath>

const char* jsonTypeName(const nlohmann::json& value) {
  switch (value.type()) {
    case nlohmann::json::value_t::null:
      return "null";
    case nlohmann::json::value_t::object:
      return "an object";
    case nlohmann::json::value_t::array:
      return "an array";
    case nlohmann::json::value_t::string:
      return "a string";
    case nlohmann::json::value_t::boolean:
      return "a boolean";
    case nlohmann::json::value_t::number_integer:
    case nlohmann::json::value_t::number_unsigned:
      return "an integer";
    case nlohmann::json::value_t::number_float:
      return "a number with a fraction";
    default:
      return "something else";
  }
}

JsonFields::JsonFields(const nlohmann::json& v, std::string p, JsonProblem* e)
    : value(&v), place(std::move(p)), problem(e) {}

bool JsonFields::fail(const std::string& what) {
  if (ok())
    *problem = JsonProblem{true, place, what};
  return false;
}

bool JsonFields::expectObject(std::initializer_list<const char*> known) {
  if (!ok())
    return false;
  if (!value->is_object()) {
    return fail(std::string("expected an object, found ") + jsonTypeName(*value));
  }
  for (auto it = value->begin(); it != value->end(); ++it) {
    bool listed = false;
    for (const char* key : known)
      listed = listed || it.key() == key;
    if (!listed) {
      JsonFields member(*it, place + "/" + it.key(), problem);
      return member.fail("unknown field (a misspelt name?)");
    }
  }
  return true;
}

bool JsonFields::has(const char* key) const {
  return value->is_object() && value->find(key) != value->end();
}

const nlohmann::json* JsonFields::field(const char* key) {
  if (!ok())
    return nullptr;
  if (!value->is_object()) {
    fail(std::string("expected an object, found ") + jsonTypeName(*value));
    return nullptr;
  }
  auto it = value->find(key);
  if (it == value->end()) {
    fail(std::string("missing field \"") + key + "\"");
    return nullptr;
  }
  return &*it;
}

bool JsonFields::integer(const char* key, long long min, long long max, long long* out) {
  const nlohmann::json* f = field(key);
  if (!f)
    return false;
  JsonFields at(*f, place + "/" + key, problem);
  long long v = 0;
  if (f->is_number_unsigned()) {
    const auto u = f->get<unsigned long long>();
    if (u > static_cast<unsigned long long>(max)) {
      return at.fail("out of range " + std::to_string(min) + " to " + std::to_string(max));
    }
    v = static_cast<long long>(u);
  } else if (f->is_number_integer()) {
    v = f->get<long long>();
  } else {
    return at.fail(std::string("expected an integer, found ") + jsonTypeName(*f));
  }
  if (v < min || v > max) {
    return at.fail(std::to_string(v) + " is out of range " + std::to_string(min) + " to " +
                   std::to_string(max));
  }
  *out = v;
  return true;
}

bool JsonFields::number(const char* key, double* out) {
  const nlohmann::json* f = field(key);
  if (!f)
    return false;
  if (!f->is_number()) {
    return JsonFields(*f, place + "/" + key, problem)
        .fail(std::string("expected a number, found ") + jsonTypeName(*f));
  }
  const double v = f->get<double>();
  if (!std::isfinite(v))
    return JsonFields(*f, place + "/" + key, problem).fail("not finite");
  *out = v;
  return true;
}

bool JsonFields::boolean(const char* key, bool* out) {
  const nlohmann::json* f = field(key);
  if (!f)
    return false;
  if (!f->is_boolean()) {
    return JsonFields(*f, place + "/" + key, problem)
        .fail(std::string("expected true or false, found ") + jsonTypeName(*f));
  }
  *out = f->get<bool>();
  return true;
}

bool JsonFields::text(const char* key, std::string* out) {
  const nlohmann::json* f = field(key);
  if (!f)
    return false;
  if (!f->is_string()) {
    return JsonFields(*f, place + "/" + key, problem)
        .fail(std::string("expected a string, found ") + jsonTypeName(*f));
  }
  *out = f->get<std::string>();
  return true;
}

bool JsonFields::object(const char* key, JsonFields* out) {
  const nlohmann::json* f = field(key);
  if (!f)
    return false;
  *out = JsonFields(*f, place + "/" + key, problem);
  if (!f->is_object()) {
    return out->fail(std::string("expected an object, found ") + jsonTypeName(*f));
  }
  return true;
}

bool JsonFields::array(const char* key, JsonFields* out) {
  const nlohmann::json* f = field(key);
  if (!f)
    return false;
  *out = JsonFields(*f, place + "/" + key, problem);
  if (!f->is_array()) {
    return out->fail(std::string("expected an array, found ") + jsonTypeName(*f));
  }
  return true;
}

size_t JsonFields::size() const {
  return value->is_array() ? value->size() : 0;
}

JsonFields JsonFields::element(size_t index) const {
  return JsonFields((*value)[index], place + "/" + std::to_string(index), problem);
}

JsonFields JsonFields::member(const char* key) const {
  return JsonFields(value->at(key), place + "/" + key, problem);
}

bool JsonFields::integer(const char* key, long long min, long long max, int* out) {
  long long v = 0;
  if (!integer(key, min, max, &v))
    return false;
  *out = static_cast<int>(v);
  return true;
}

bool JsonFields::unsignedInteger(const char* key, unsigned* out) {
  long long v = 0;
  if (!integer(key, 0, UINT_MAX, &v))
    return false;
  *out = static_cast<unsigned>(v);
  return true;
}
