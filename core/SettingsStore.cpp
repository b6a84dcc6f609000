// Reads and writes happen once each (at start-up and at exit), in a fixed order of keys.
#include "core/SettingsStore.h"

#include "core/Errors.h"
#include "core/FileSystem.h"
#include "core/Format.h"
#include "core/SettingsPorts.h"
#include "core/Texts.h"

namespace settings_format {

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
  return ParseInteger(ReadText(section, key, std::string())).value_or(fallback);
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
  return SplitLines(*text);
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
