// The rules follow what the Windows profile functions do with the same bytes (held against them
// by the Windows build's tests), with one exception: a quoted value of exactly 2047 bytes comes
// back whole, where Wine drops its last byte.
#include "core/ProfileFormat.h"

#include "core/Cp1251.h"

namespace profile_format {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view Trim(std::string_view s) {
  return TrimRight(TrimLeft(s));
}

std::string_view CutAtNul(std::string_view s) {
  return s.substr(0, s.find('\0'));
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// The lines of a text, each without its line end (CR, LF or CR LF).
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}
  bool Next(std::string_view& line) {
    if (at_ >= text_.size()) return false;
    const size_t start = at_;
    while (at_ < text_.size() && text_[at_] != '\r' && text_[at_] != '\n') ++at_;
    line = text_.substr(start, at_ - start);
    if (at_ < text_.size() && text_[at_] == '\r') ++at_;
    if (at_ < text_.size() && text_[at_] == '\n') ++at_;
    return true;
  }

 private:
  std::string_view text_;
  size_t at_ = 0;
};

struct Line {
  enum class Kind { Blank, Section, Key } kind = Kind::Blank;
  std::string_view name;
  bool has_value = false;
  std::string_view value;  // what follows "=", untrimmed
};

Line Classify(std::string_view text) {
  Line line;
  text = TrimLeft(text);
  if (TrimRight(text).empty()) return line;
  if (text.front() == '[') {
    const size_t close = text.rfind(']');
    if (close != std::string_view::npos) {
      line.kind = Line::Kind::Section;
      line.name = CutAtNul(Trim(text.substr(1, close - 1)));
      return line;
    }
  }
  line.kind = Line::Kind::Key;
  const size_t equals = text.find('=');
  line.name = CutAtNul(TrimRight(text.substr(0, equals)));
  if (equals != std::string_view::npos) {
    line.has_value = true;
    line.value = text.substr(equals + 1);
  }
  return line;
}

std::string ValueOf(std::string_view stored) {
  std::string_view value = CutAtNul(Trim(stored));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, kValueLimit));
}

// Where a key is, or would go, in a Windows-1251 text.
struct Place {
  bool section_found = false;
  size_t insert_before = 0;  // the line index after the section's last line that is not blank
  std::optional<size_t> key_line;
  std::optional<Line> key;
};

Place Find(std::string_view text, std::string_view section, std::string_view key) {
  section = Trim(CutAtNul(section));
  key = Trim(CutAtNul(key));
  Place place;
  // Keys before the first section line belong to a section named "".
  bool inside = section.empty();
  place.section_found = inside;
  Lines lines(text);
  std::string_view content;
  for (size_t index = 0; lines.Next(content); ++index) {
    const Line line = Classify(content);
    if (line.kind == Line::Kind::Section) {
      // Only the first section of the name counts.
      if (inside) break;
      if (!place.section_found && SameName(line.name, section)) {
        inside = place.section_found = true;
        place.insert_before = index + 1;
      }
      continue;
    }
    if (!inside || line.kind == Line::Kind::Blank) continue;
    place.insert_before = index + 1;
    if (SameName(line.name, key)) {
      place.key_line = index;
      place.key = line;
      break;
    }
  }
  return place;
}

enum class Encoding { Windows1251, Utf8, Utf16Le, Utf16Be };

Encoding EncodingOf(std::string_view file) {
  if (file.starts_with("\xEF\xBB\xBF")) return Encoding::Utf8;
  if (file.starts_with("\xFF\xFE")) return Encoding::Utf16Le;
  if (file.starts_with("\xFE\xFF")) return Encoding::Utf16Be;
  return Encoding::Windows1251;
}

std::string Decode(std::string_view file, Encoding encoding) {
  if (encoding == Encoding::Utf8) return cp1251::FromUtf8(file.substr(3));
  std::u16string wide;
  wide.reserve(file.size() / 2);
  const int high = encoding == Encoding::Utf16Le ? 1 : 0;
  for (size_t i = 2; i + 1 < file.size(); i += 2) {
    const auto first = static_cast<unsigned char>(file[i + high]);
    const auto second = static_cast<unsigned char>(file[i + 1 - high]);
    wide.push_back(static_cast<char16_t>(first << 8 | second));
  }
  return cp1251::FromUtf16(wide);
}

std::string Encode(std::string_view text, Encoding encoding) {
  if (encoding == Encoding::Utf8) return "\xEF\xBB\xBF" + cp1251::ToUtf8(text);
  std::string file = encoding == Encoding::Utf16Le ? "\xFF\xFE" : "\xFE\xFF";
  file.reserve(2 + text.size() * 2);
  for (char16_t ch : cp1251::ToUtf16(text)) {
    const char high = static_cast<char>(ch >> 8);
    const char low = static_cast<char>(ch & 0xFF);
    file.push_back(encoding == Encoding::Utf16Le ? low : high);
    file.push_back(encoding == Encoding::Utf16Le ? high : low);
  }
  return file;
}

std::string Write(std::string_view text, std::string_view section, std::string_view key,
                  std::string_view value) {
  const Place place = Find(text, section, key);
  const std::string_view new_value = TrimLeft(value);
  std::string entry;
  entry.append(place.key ? place.key->name : Trim(CutAtNul(key))).append("=").append(new_value);
  entry.append(kLineEnd);
  std::string out;
  out.reserve(text.size() + entry.size() + section.size() + 8);
  if (place.section_found && !place.key_line && place.insert_before == 0) out.append(entry);
  Lines lines(text);
  std::string_view content;
  for (size_t index = 0; lines.Next(content); ++index) {
    if (place.key_line == index) {
      out.append(entry);
      continue;
    }
    out.append(content).append(kLineEnd);
    if (place.section_found && !place.key_line && place.insert_before == index + 1) {
      out.append(entry);
    }
  }
  if (!place.section_found) {
    out.append("[").append(Trim(CutAtNul(section))).append("]").append(kLineEnd).append(entry);
  }
  return out;
}

}  // namespace

std::optional<std::string> ReadValue(std::string_view file, std::string_view section,
                                     std::string_view key) {
  const Encoding encoding = EncodingOf(file);
  std::string decoded;
  if (encoding != Encoding::Windows1251) {
    decoded = Decode(file, encoding);
    file = decoded;
  }
  const Place place = Find(file, section, key);
  if (!place.key || !place.key->has_value) return std::nullopt;
  return ValueOf(place.key->value);
}

std::string WriteValue(std::string_view file, std::string_view section, std::string_view key,
                       std::string_view value) {
  const Encoding encoding = EncodingOf(file);
  if (encoding == Encoding::Windows1251) return Write(file, section, key, value);
  return Encode(Write(Decode(file, encoding), section, key, value), encoding);
}

}  // namespace profile_format
