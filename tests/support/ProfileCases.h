// The rules of "zirk.ini" as a table: the program's own reader and writer are held to it on both
// platforms, and the Windows profile functions under Wine, so the two are shown to agree.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct ProfileReadCase {
  std::string what;
  std::string file;
  std::string section;
  std::string key;
  std::optional<std::string> value;  // nothing: the default comes back
  // Where Wine's profile functions give something else, what they give.
  std::optional<std::string> wine_value = std::nullopt;
};

struct ProfileWriteCase {
  std::string what;
  std::string file;  // before the write; "" is also a missing file
  std::string section;
  std::string key;
  std::string value;
  std::string written;    // the program's file afterwards
  std::string read_back;  // the key's value read from it
  // Whether Wine's functions write the same bytes (they also drop blank lines and blanks
  // around names and values).
  bool wine_writes_the_same = true;
};

const std::vector<ProfileReadCase>& ProfileReadCases();
const std::vector<ProfileWriteCase>& ProfileWriteCases();
