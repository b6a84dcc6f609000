// Reads and writes happen once each (at start-up and at exit, or when the session ends), in a
// fixed order of keys.
#include "core/SettingsStore.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "core/Errors.h"
#include "core/FileSystem.h"
#include "core/Format.h"
#include "core/PathText.h"
#include "core/ProfileFormat.h"
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

SettingsStore::SettingsStore(UserFolders& folders, FileSystem& files)
    : folders_(folders), files_(files) {}

void SettingsStore::DetermineSettingsFolder() {
  std::filesystem::path folder = folders_.RegistryAppDataFolder();
  // Without the registry value the platform's own per-user folder is better than the root of
  // the current drive, which a user can seldom write.
  if (folder.empty()) folder = folders_.KnownAppDataFolder();
  if (folder.empty()) folder = std::filesystem::path("/").make_preferred();
  settings_folder_ = folder;
}

bool SettingsStore::Unreadable(const std::filesystem::path& path) const {
  return std::find(unreadable_.begin(), unreadable_.end(), path) != unreadable_.end();
}

std::optional<std::string> SettingsStore::ReadExisting(const std::filesystem::path& path,
                                                       size_t size_limit) {
  if (!files_.FileExists(path)) return std::nullopt;
  std::optional<std::string> bytes = files_.ReadFile(path, size_limit);
  if (!bytes) unreadable_.push_back(path);
  return bytes;
}

std::optional<std::vector<std::string>> SettingsStore::ReadHistory(const std::string& name) {
  const std::filesystem::path path = settings_folder_ / name;
  const std::optional<std::string> bytes = ReadExisting(path, kHistoryFileLimit);
  if (!bytes) return std::nullopt;
  return SplitLines(*bytes);
}

SettingsRecord SettingsStore::Load() {
  DetermineSettingsFolder();
  unreadable_.clear();
  const std::optional<std::string> ini =
      ReadExisting(settings_folder_ / texts::kSettingsFileName, kSettingsFileLimit);
  const std::string_view file = ini ? std::string_view(*ini) : std::string_view();
  const auto text = [file](const std::string& section, const std::string& key,
                           const std::string& fallback) {
    return profile_format::ReadValue(file, section, key).value_or(fallback);
  };
  const auto integer = [&text](const std::string& section, const std::string& key,
                               int32_t fallback) {
    return ParseInteger(text(section, key, std::string())).value_or(fallback);
  };
  SettingsRecord record;
  record.address = text(texts::kSectionLast, texts::kKeyAddress, texts::kDefaultAddress);
  record.port = integer(texts::kSectionLast, texts::kKeyPort, kDefaultPort);
  record.transport_index = integer(texts::kSectionLast, texts::kKeyType, kDefaultTransportIndex);
  record.left = integer(texts::kSectionMainForm, texts::kKeyLeft, kDefaultLeft);
  record.top = integer(texts::kSectionMainForm, texts::kKeyTop, kDefaultTop);
  record.client_height = integer(texts::kSectionMainForm, texts::kKeyHeight, kDefaultClientHeight);
  record.client_width = integer(texts::kSectionMainForm, texts::kKeyWidth, kDefaultClientWidth);
  record.address_history = ReadHistory(texts::kAddressHistoryFileName);
  record.message_history = ReadHistory(texts::kMessageHistoryFileName);
  return record;
}

void SettingsStore::RaiseLoadFailure() const {
  if (!unreadable_.empty()) {
    throw EFOpenError(Format(texts::kCannotOpenFile, {PathText(unreadable_.front())}));
  }
}

void SettingsStore::WriteSettingsFile(const SettingsRecord& record) {
  const std::filesystem::path path = settings_folder_ / texts::kSettingsFileName;
  const auto fail = [&path] {
    return EIniFileError(Format(texts::kUnableToWrite, {PathText(path)}));
  };
  // The file's other sections and keys stay as they are.
  std::string file;
  if (files_.FileExists(path)) {
    std::optional<std::string> old = files_.ReadFile(path, kSettingsFileLimit);
    if (!old) throw fail();
    file = std::move(*old);
  }
  const std::pair<const std::string&, const std::string&> keys[] = {
      {texts::kSectionLast, texts::kKeyAddress},   {texts::kSectionLast, texts::kKeyPort},
      {texts::kSectionLast, texts::kKeyType},      {texts::kSectionMainForm, texts::kKeyLeft},
      {texts::kSectionMainForm, texts::kKeyTop},   {texts::kSectionMainForm, texts::kKeyHeight},
      {texts::kSectionMainForm, texts::kKeyWidth},
  };
  const std::string values[] = {
      record.address,
      std::to_string(record.port),
      std::to_string(record.transport_index),
      std::to_string(record.left),
      std::to_string(record.top),
      std::to_string(record.client_height),
      std::to_string(record.client_width),
  };
  for (size_t i = 0; i < std::size(keys); ++i) {
    file = profile_format::WriteValue(file, keys[i].first, keys[i].second, values[i]);
  }
  // One write of the whole file: a full disk or a crash leaves the old file whole.
  if (!WriteFileAtomically(files_, path, file)) throw fail();
}

void SettingsStore::WriteHistory(const std::string& name, const std::vector<std::string>& entries) {
  const std::filesystem::path path = settings_folder_ / name;
  if (Unreadable(path)) return;
  if (!WriteFileAtomically(files_, path, settings_format::JoinHistory(entries))) {
    throw EFCreateError(Format(texts::kCannotCreateFile, {PathText(path)}));
  }
}

void SettingsStore::Save(const SettingsRecord& record) {
  if (settings_folder_.empty()) DetermineSettingsFolder();
  // A file that could not be read at start still holds what the user had: it is not written
  // over with what this run could not see.
  if (!Unreadable(settings_folder_ / texts::kSettingsFileName)) WriteSettingsFile(record);
  // An absent list is stored as an empty one; a present one is not copied.
  const std::vector<std::string> none;
  WriteHistory(texts::kAddressHistoryFileName,
               record.address_history ? *record.address_history : none);
  WriteHistory(texts::kMessageHistoryFileName,
               record.message_history ? *record.message_history : none);
}

std::filesystem::path SettingsStore::DocumentsFolder() {
  return folders_.DocumentsFolder();
}
