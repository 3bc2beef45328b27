// libFuzzer target: the profile reader on any bytes. The sanitizers catch memory errors and
// undefined behaviour; the message contract catches a refusal that is not one clean line.

#include <cstddef>
#include <cstdint>
#include <string>

#include "message_contract.h"
#include "profile/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Profile profile;
  std::string error;
  const bool accepted = parseProfile(text, "fuzz.json", &profile, &error);
  fuzzcheck::checkRefusal(accepted, error, "fuzz.json");
  return 0;
}
