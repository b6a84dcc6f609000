// The last connection, the window's place and the two history lists, kept between runs in
// "zirk.ini", "ZIRK_adrs.ini" and "ZIRK_msgs.ini" in the user's application-data folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class FileSystem;
class ProfileFile;
class UserFolders;

struct SettingsRecord {
  std::string address;
  int32_t port = 0;
  int32_t transport_index = 0;
  int32_t left = 0;
  int32_t top = 0;
  int32_t client_height = 0;
  int32_t client_width = 0;
  // Absent when the history file does not exist.
  std::optional<std::vector<std::string>> address_history;
  std::optional<std::vector<std::string>> message_history;
};

class SettingsStore {
 public:
  static constexpr int32_t kDefaultPort = 243;
  static constexpr int32_t kDefaultTransportIndex = 0;
  static constexpr int32_t kDefaultLeft = 150;
  static constexpr int32_t kDefaultTop = 150;
  static constexpr int32_t kDefaultClientHeight = 417;
  static constexpr int32_t kDefaultClientWidth = 566;

  SettingsStore(UserFolders& folders, ProfileFile& profile, FileSystem& files);

  // Determines the settings folder and reads everything. Raises EFOpenError when a history file
  // exists but cannot be opened.
  SettingsRecord Load();
  // Writes everything. Raises EIniFileError or EFCreateError; the writes after a failure are
  // not done.
  void Save(const SettingsRecord& record);
  // The documents folder, looked up afresh; empty when unknown.
  std::string DocumentsFolder();
  // The folder of the three files, ending in "\"; known after Load (or the first Save).
  const std::string& SettingsFolder() const { return settings_folder_; }

 private:
  void DetermineSettingsFolder();
  std::string ReadText(const std::string& section, const std::string& key,
                       const std::string& fallback);
  int32_t ReadInteger(const std::string& section, const std::string& key, int32_t fallback);
  void WriteText(const std::string& section, const std::string& key, const std::string& value);
  std::optional<std::vector<std::string>> ReadHistory(const std::string& name);
  void WriteHistory(const std::string& name, const std::vector<std::string>& entries);

  UserFolders& folders_;
  ProfileFile& profile_;
  FileSystem& files_;
  std::string settings_folder_;
};

// The byte rules of the files, apart from the store for their tests.
namespace settings_format {
// Every entry followed by CR LF.
std::string JoinHistory(const std::vector<std::string>& entries);
}  // namespace settings_format
