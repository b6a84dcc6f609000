// The reader of "zirk.ini" with the integer rule, as the store uses them, and the writer: a key
// written into any file reads back as it does from a file holding nothing else.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/Format.h"
#include "core/ProfileFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  const char* const keys[][2] = {{"last", "adr"},      {"last", "port"},     {"last", "type"},
                                 {"mainform", "left"}, {"mainform", "top"},  {"mainform", "height"},
                                 {"mainform", "width"}};
  for (const auto& key : keys) {
    const std::optional<std::string> value = profile_format::ReadValue(file, key[0], key[1]);
    if (!value) continue;
    if (value->size() > profile_format::kValueLimit) std::abort();
    ParseInteger(*value);
  }
  std::string value(file.substr(0, 40));
  for (char& c : value) {
    if (c == '\r' || c == '\n') c = 'x';
  }
  const std::string written = profile_format::WriteValue(file, "last", "adr", value);
  const std::string alone = profile_format::WriteValue("", "last", "adr", value);
  if (profile_format::ReadValue(written, "last", "adr") !=
      profile_format::ReadValue(alone, "last", "adr")) {
    std::abort();
  }
  return 0;
}
