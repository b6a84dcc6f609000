// A reader and writer of profile (INI) files with the platform functions' rules: section and
// key names match without regard to case, blanks and one pair of enclosing quotes are removed
// from a value read, a read returns at most 2047 bytes, and a written file has CR LF line ends.
#include <string_view>
#include <vector>

#include "core/Cp1251.h"
#include "platform/Files.h"

namespace {

constexpr size_t kReadBufferSize = 2048;

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t i = 0;
  while (i < text.size()) {
    size_t start = i;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
    lines.emplace_back(text.substr(start, i - start));
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
  }
  return lines;
}

// The name of a section line "[name]", or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  size_t close = line.find(']');
  std::string_view name = line.substr(1, close == std::string_view::npos ? line.npos : close - 1);
  return TrimBlanks(name);
}

// The key of a line "key=value", or nothing.
std::optional<std::string_view> KeyName(std::string_view line) {
  size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(0, eq));
}

struct Location {
  bool section_found = false;
  size_t section_end = 0;  // index after the section's last non-blank line
  std::optional<size_t> key_line;
};

Location Find(const std::vector<std::string>& lines, const std::string& section,
              const std::string& key) {
  Location at;
  bool inside = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (std::optional<std::string_view> name = SectionName(lines[i])) {
      if (at.section_found) break;
      inside = cp1251::EqualIgnoreCase(*name, section);
      if (inside) {
        at.section_found = true;
        at.section_end = i + 1;
      }
      continue;
    }
    if (!inside) continue;
    if (!TrimBlanks(lines[i]).empty()) at.section_end = i + 1;
    std::optional<std::string_view> name = KeyName(lines[i]);
    if (name && !at.key_line && cp1251::EqualIgnoreCase(*name, key)) at.key_line = i;
  }
  return at;
}

}  // namespace

std::string PlatformProfileFile::ReadString(const std::string& path, const std::string& section,
                                            const std::string& key, const std::string& fallback) {
  PlatformFileSystem files;
  std::optional<std::string> text = files.ReadFile(path);
  if (!text) return fallback;
  std::vector<std::string> lines = SplitLines(*text);
  Location at = Find(lines, section, key);
  if (!at.key_line) return fallback;
  const std::string& line = lines[*at.key_line];
  std::string_view value = TrimBlanks(std::string_view(line).substr(line.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, kReadBufferSize - 1));
}

bool PlatformProfileFile::WriteString(const std::string& path, const std::string& section,
                                      const std::string& key, const std::string& value) {
  PlatformFileSystem files;
  std::vector<std::string> lines;
  if (files.FileExists(path)) {
    std::optional<std::string> text = files.ReadFile(path);
    if (!text) return false;
    lines = SplitLines(*text);
  }
  const std::string entry = key + "=" + std::string(TrimBlanks(value));
  Location at = Find(lines, section, key);
  if (at.key_line) {
    // The stored key keeps its letter case.
    const std::string& old = lines[*at.key_line];
    lines[*at.key_line] = std::string(*KeyName(old)) + "=" + std::string(TrimBlanks(value));
  } else if (at.section_found) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at.section_end), entry);
  } else {
    lines.push_back("[" + section + "]");
    lines.push_back(entry);
  }
  std::string text;
  for (const std::string& line : lines) text.append(line).append("\r\n");
  return WriteFileAtomically(files, path, text);
}
