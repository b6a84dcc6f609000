// Placeholders are taken in order; a placeholder without an argument is dropped, as is an
// argument of the wrong kind, so a fixed text can never read past its arguments.
#include "core/Format.h"

#include <limits>
#include <vector>

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args) {
  std::vector<FormatArg> values(args);
  size_t next = 0;
  std::string out;
  out.reserve(pattern.size() + 32);
  for (size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (c != '%' || i + 1 == pattern.size()) {
      out.push_back(c);
      continue;
    }
    char placeholder = pattern[++i];
    if (placeholder == '%') {
      out.push_back('%');
    } else if (placeholder == 's' || placeholder == 'd') {
      if (next < values.size()) {
        const FormatArg& v = values[next++];
        if (placeholder == 's' && std::holds_alternative<std::string_view>(v)) {
          out.append(std::get<std::string_view>(v));
        } else if (placeholder == 'd' && std::holds_alternative<int64_t>(v)) {
          out.append(std::to_string(std::get<int64_t>(v)));
        }
      }
    } else {
      out.push_back('%');
      out.push_back(placeholder);
    }
  }
  return out;
}

std::optional<int32_t> ParseInteger(std::string_view text) {
  std::string_view s = text;
  std::string replaced;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    replaced.assign(1, '$').append(s.substr(2));
    s = replaced;
  }
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i < s.size() && s[i] == '$') {
    ++i;
    if (i == s.size() || s.size() - i > 8) return std::nullopt;
    uint32_t value = 0;
    for (; i < s.size(); ++i) {
      char c = s[i];
      uint32_t digit;
      if (c >= '0' && c <= '9') {
        digit = static_cast<uint32_t>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        digit = static_cast<uint32_t>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        digit = static_cast<uint32_t>(c - 'A' + 10);
      } else {
        return std::nullopt;
      }
      value = value * 16 + digit;
    }
    // Eight hex digits fill 32 bits: $FFFFFFFF is -1.
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
  }
  if (i == s.size()) return std::nullopt;
  int64_t value = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(value);
}

namespace {

template <typename Take>
void ForEachLine(std::string_view text, Take take) {
  size_t i = 0;
  while (i < text.size()) {
    size_t start = i;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
    take(text.substr(start, i - start));
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
  }
}

}  // namespace

std::vector<std::string> SplitLines(std::string_view text) {
  size_t end = text.find('\0');
  if (end != std::string_view::npos) text = text.substr(0, end);
  // Counted first, so that the list is allocated once: a file of bare line ends holds as many
  // lines as bytes, and growing the list step by step took several times the memory and time.
  size_t count = 0;
  ForEachLine(text, [&count](std::string_view) { ++count; });
  std::vector<std::string> lines;
  lines.reserve(count);
  ForEachLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
  return lines;
}
