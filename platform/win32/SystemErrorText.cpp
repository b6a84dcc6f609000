// FormatMessageW from the system table, language 0 (the user's default), into 256 characters,
// read with the program's own Windows-1251 table: the ANSI form would hand over the system's
// code page, whose bytes mean other letters in Windows-1251 (or "?" for every Cyrillic letter on
// a Western code page).
#include "platform/SystemErrorText.h"

#include <windows.h>

#include "core/Cp1251.h"

std::string SystemErrorText(int code) {
  wchar_t buffer[256];
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY, nullptr,
                                static_cast<DWORD>(code), 0, buffer, 256, nullptr);
  std::string text =
      cp1251::FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(buffer), length));
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= 0x20 || text.back() == '.')) {
    text.pop_back();
  }
  return text;
}
