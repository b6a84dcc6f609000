// The Windows-1251 conversions: every byte string survives UTF-16 and UTF-8 and back, any UTF-16
// or UTF-8 text converts without harm, and the case-insensitive order is an order.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/Cp1251.h"
#include "core/PathText.h"

namespace {
int Sign(int x) {
  return (x > 0) - (x < 0);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (cp1251::FromUtf16(cp1251::ToUtf16(bytes)) != bytes) std::abort();
  if (cp1251::FromUtf8(cp1251::ToUtf8(bytes)) != bytes) std::abort();
  std::u16string units(size / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  }
  if (cp1251::FromUtf16(units).size() != units.size()) std::abort();
  cp1251::FromUtf8(bytes);
  PathText(std::filesystem::path(std::string(bytes)));
  const std::string_view a = bytes.substr(0, size / 2), b = bytes.substr(size / 2);
  if (Sign(cp1251::CompareIgnoreCase(a, b)) != -Sign(cp1251::CompareIgnoreCase(b, a))) std::abort();
  if (cp1251::EqualIgnoreCase(a, b) != (cp1251::CompareIgnoreCase(a, b) == 0)) std::abort();
  return 0;
}
