// The profile (INI) file format of "zirk.ini", read and written by the program itself with the
// rules of the Windows profile functions, so that the file's bytes never pass through the
// system's code page.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace profile_format {

// A value read never holds more bytes than this (the platform's 2048-byte buffer).
inline constexpr size_t kValueLimit = 2047;

// The value of key in section, or nothing when the section or the key is missing or the key's
// line has no "=". The rules:
// - lines end at CR, at LF or at CR LF; a file may begin with a UTF-8 or UTF-16 byte-order mark,
//   and its text is then converted to Windows-1251;
// - a section line is "[name]" up to the line's last "]"; a line that begins with "[" but has no
//   "]" is a key line; lines before the first section line form a section named "";
// - names match without regard to ASCII letter case, after blanks around them are removed (also
//   from the section and key asked for); only the first section of a name and the first key of
//   a name in it count;
// - a value is what follows the first "=", without the blanks around it, up to a NUL byte, without
//   one pair of enclosing quotes (" or '), and at most kValueLimit bytes; a NUL byte also ends a
//   name;
// - blanks are space, tab, vertical tab, form feed and the byte 0x1A.
std::optional<std::string> ReadValue(std::string_view file, std::string_view section,
                                     std::string_view key);

// The file with key in section set to value, its leading blanks dropped: the key's line is
// replaced (the stored name keeps its letter case), or the key is added after the section's last
// line that is not blank, or the section is added at the end. Every line of the result ends in
// CR LF; a file with a byte-order mark keeps its encoding.
std::string WriteValue(std::string_view file, std::string_view section, std::string_view key,
                       std::string_view value);

}  // namespace profile_format
