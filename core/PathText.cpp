// The platform's path holds UTF-16 on Windows and UTF-8 bytes elsewhere; an overload for each
// native form, so that no platform test is needed here.
#include "core/PathText.h"

#include "core/Cp1251.h"

namespace {

[[maybe_unused]] std::string NativeText(const std::string& utf8) {
  return cp1251::FromUtf8(utf8);
}

[[maybe_unused]] std::string NativeText(const std::wstring& utf16) {
  std::string text;
  text.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    const auto unit = static_cast<char32_t>(utf16[i]);
    // A character outside the first plane is one character, shown as one "?".
    const bool pair = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() &&
                      utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF;
    if (pair) ++i;
    text.push_back(pair || unit > 0xFFFF ? '?' : cp1251::FromUtf16(static_cast<char16_t>(unit)));
  }
  return text;
}

}  // namespace

std::string PathText(const std::filesystem::path& path) {
  return NativeText(path.native());
}
