// The history files' splitter and writer: what is written splits into the same entries.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/Format.h"
#include "core/SettingsStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> entries = SplitLines(text);
  if (SplitLines(settings_format::JoinHistory(entries)) != entries) std::abort();
  return 0;
}
