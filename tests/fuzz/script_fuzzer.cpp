// libFuzzer target: the script reader on any bytes. The sanitizers catch memory errors and
// undefined behaviour; the message contract catches a refusal that is not one clean line, and
// an accepted script is checked for what the runner relies on.

#include <cstddef>
#include <cstdint>
#include <string>

#include "message_contract.h"
#include "script/script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Script script;
  std::string error;
  const bool accepted = parseScript(text, "fuzz.txt", &script, &error);
  fuzzcheck::checkRefusal(accepted, error, "fuzz.txt");
  int previousLine = 0;
  for (const ScriptCommand& c : script.commands) {
    if (c.line <= previousLine)
      fuzzcheck::broken("commands come in line order", std::to_string(c.line));
    previousLine = c.line;
    if (c.kind == ScriptCommand::Kind::wait && (c.number < 0 || c.number > 3600000))
      fuzzcheck::broken("a wait stays in its range", std::to_string(c.number));
    // Words the runner quotes in its own messages must be free of control characters.
    for (const std::string* word : {&c.widget, &c.path, &c.field, &c.operation}) {
      for (char ch : *word) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || byte == 0x7F)
          fuzzcheck::broken("words hold no control characters", *word);
      }
    }
  }
  return 0;
}
