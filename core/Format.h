// The program's text rules: filling the placeholders of a fixed text, reading an integer from a
// text, and cutting a text into lines.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

using FormatArg = std::variant<std::string_view, int64_t>;

// %s takes a text, %d a number, %% is a percent sign.
std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args);

// The program's integer rule: a signed decimal number, or hexadecimal after "$" ("0x"/"0X" count
// as "$" when the text is longer than two characters), after leading blanks; nothing when the
// text is not a number or does not fit 32 bits.
std::optional<int32_t> ParseInteger(std::string_view text);

// One line per line end: cut at CR LF, a lone CR or a lone LF; a final line end adds no line;
// the first zero byte ends the text.
std::vector<std::string> SplitLines(std::string_view text);
