// Reads and writes happen once each (at start-up and at exit), in a fixed order of keys.
#include "core/SettingsStore.h"

#include <limits>

#include "core/Errors.h"
#include "core/FileSystem.h"
#include "core/Format.h"
#include "core/SettingsPorts.h"
#include "core/Texts.h"

namespace settings_format {

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

std::vector<std::string> SplitHistory(std::string_view text) {
  size_t end = text.find('\0');
  if (end != std::string_view::npos) text = text.substr(0, end);
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

std::string JoinHistory(const std::vector<std::string>& entries) {
  size_t size = 0;
  for (const std::string& entry : entries) size += entry.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& entry : entries) text.append(entry).append("\r\n");
  return text;
}

}  // namespace settings_format

SettingsStore::SettingsStore(UserFolders& folders, ProfileFile& profile, FileSystem& files)
    : folders_(folders), profile_(profile), files_(files) {}

void SettingsStore::DetermineSettingsFolder() {
  std::string folder = folders_.RegistryAppDataFolder();
  // Without the registry value the platform's own per-user folder is better than the root of
  // the current drive, which a user can seldom write.
  if (folder.empty()) folder = folders_.KnownAppDataFolder();
  settings_folder_ = folder + "\\";
}

std::string SettingsStore::ReadText(const std::string& section, const std::string& key,
                                    const std::string& fallback) {
  return profile_.ReadString(settings_folder_ + texts::kSettingsFileName, section, key, fallback);
}

int32_t SettingsStore::ReadInteger(const std::string& section, const std::string& key,
                                   int32_t fallback) {
  return settings_format::ParseInteger(ReadText(section, key, std::string())).value_or(fallback);
}

void SettingsStore::WriteText(const std::string& section, const std::string& key,
                              const std::string& value) {
  const std::string path = settings_folder_ + texts::kSettingsFileName;
  if (!profile_.WriteString(path, section, key, value)) {
    throw EIniFileError(Format(texts::kUnableToWrite, {path}));
  }
}

std::optional<std::vector<std::string>> SettingsStore::ReadHistory(const std::string& name) {
  const std::string path = settings_folder_ + name;
  if (!files_.FileExists(path)) return std::nullopt;
  std::optional<std::string> text = files_.ReadFile(path);
  if (!text) throw EFOpenError(Format(texts::kCannotOpenFile, {path}));
  return settings_format::SplitHistory(*text);
}

void SettingsStore::WriteHistory(const std::string& name, const std::vector<std::string>& entries) {
  const std::string path = settings_folder_ + name;
  if (!WriteFileAtomically(files_, path, settings_format::JoinHistory(entries))) {
    throw EFCreateError(Format(texts::kCannotCreateFile, {path}));
  }
}

SettingsRecord SettingsStore::Load() {
  DetermineSettingsFolder();
  SettingsRecord record;
  record.address = ReadText(texts::kSectionLast, texts::kKeyAddress, texts::kDefaultAddress);
  record.port = ReadInteger(texts::kSectionLast, texts::kKeyPort, kDefaultPort);
  record.transport_index =
      ReadInteger(texts::kSectionLast, texts::kKeyType, kDefaultTransportIndex);
  record.left = ReadInteger(texts::kSectionMainForm, texts::kKeyLeft, kDefaultLeft);
  record.top = ReadInteger(texts::kSectionMainForm, texts::kKeyTop, kDefaultTop);
  record.client_height =
      ReadInteger(texts::kSectionMainForm, texts::kKeyHeight, kDefaultClientHeight);
  record.client_width = ReadInteger(texts::kSectionMainForm, texts::kKeyWidth, kDefaultClientWidth);
  record.address_history = ReadHistory(texts::kAddressHistoryFileName);
  record.message_history = ReadHistory(texts::kMessageHistoryFileName);
  return record;
}

void SettingsStore::Save(const SettingsRecord& record) {
  if (settings_folder_.empty()) DetermineSettingsFolder();
  WriteText(texts::kSectionLast, texts::kKeyAddress, record.address);
  WriteText(texts::kSectionLast, texts::kKeyPort, std::to_string(record.port));
  WriteText(texts::kSectionLast, texts::kKeyType, std::to_string(record.transport_index));
  WriteText(texts::kSectionMainForm, texts::kKeyLeft, std::to_string(record.left));
  WriteText(texts::kSectionMainForm, texts::kKeyTop, std::to_string(record.top));
  WriteText(texts::kSectionMainForm, texts::kKeyHeight, std::to_string(record.client_height));
  WriteText(texts::kSectionMainForm, texts::kKeyWidth, std::to_string(record.client_width));
  WriteHistory(texts::kAddressHistoryFileName,
               record.address_history.value_or(std::vector<std::string>()));
  WriteHistory(texts::kMessageHistoryFileName,
               record.message_history.value_or(std::vector<std::string>()));
}

std::string SettingsStore::DocumentsFolder() {
  return folders_.DocumentsFolder();
}
