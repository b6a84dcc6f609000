// The program's Windows-1251 texts as the UTF-16 texts of the W functions, and back.
#pragma once

#include <string>
#include <string_view>

#include "core/Cp1251.h"

inline std::wstring WideText(std::string_view bytes) {
  std::u16string wide = cp1251::ToUtf16(bytes);
  return std::wstring(wide.begin(), wide.end());
}

inline std::string NarrowText(std::wstring_view wide) {
  return cp1251::FromUtf16(
      std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}
