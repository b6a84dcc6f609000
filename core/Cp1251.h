// Windows-1251 text and UTF-16, converted with the program's own table so that the result
// never depends on the system's code page.
#pragma once

#include <string>
#include <string_view>

namespace cp1251 {

// Byte 0x98 has no character in Windows-1251: it becomes U+FFFD, and U+FFFD becomes 0x98 again,
// so every byte string survives a round trip unchanged.
inline constexpr char16_t kUndefinedChar = u'\uFFFD';

char16_t ToUtf16(unsigned char byte);
// A character outside the table becomes "?".
char FromUtf16(char16_t ch);

std::u16string ToUtf16(std::string_view bytes);
std::string FromUtf16(std::u16string_view text);

// For texts written in the sources: UTF-8 in, Windows-1251 bytes out.
std::string FromUtf8(std::string_view utf8);
// Windows-1251 bytes as UTF-8 (for POSIX file names).
std::string ToUtf8(std::string_view bytes);

// Letter case without regard to the locale: Latin and Cyrillic letters of the table.
unsigned char UpperByte(unsigned char byte);

// Three-way comparison of two byte texts without regard to letter case, by the UTF-16 code of
// each upper-cased character (the order of an ordinal case-insensitive comparison).
int CompareIgnoreCase(std::string_view a, std::string_view b);
bool EqualIgnoreCase(std::string_view a, std::string_view b);

}  // namespace cp1251
