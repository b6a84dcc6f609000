// Placeholders are taken in order; a placeholder without an argument is dropped, as is an
// argument of the wrong kind, so a fixed text can never read past its arguments.
#include "core/Format.h"

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
