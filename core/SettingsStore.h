// The last connection, the window's place and the two history lists, kept between runs in
// "zirk.ini", "ZIRK_adrs.ini" and "ZIRK_msgs.ini" in the user's application-data folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class FileSystem;
class UserFolders;

struct SettingsRecord {
  std::string address;
  int32_t port = 0;
  int32_t transport_index = 0;
  int32_t left = 0;
  int32_t top = 0;
  int32_t client_height = 0;
  int32_t client_width = 0;
  // Absent when the history file does not exist (or could not be read).
  std::optional<std::vector<std::string>> address_history;
  std::optional<std::vector<std::string>> message_history;

  bool operator==(const SettingsRecord&) const = default;
};

class SettingsStore {
 public:
  static constexpr int32_t kDefaultPort = 243;
  static constexpr int32_t kDefaultTransportIndex = 0;
  static constexpr int32_t kDefaultLeft = 150;
  static constexpr int32_t kDefaultTop = 150;
  static constexpr int32_t kDefaultClientHeight = 417;
  static constexpr int32_t kDefaultClientWidth = 566;
  // Larger files are not ours: they are treated as files that cannot be read, so they are
  // neither loaded nor written over.
  static constexpr size_t kSettingsFileLimit = size_t{128} << 20;
  static constexpr size_t kHistoryFileLimit = size_t{64} << 20;

  SettingsStore(UserFolders& folders, FileSystem& files);

  // Determines the settings folder and reads everything that can be read. A file that exists but
  // cannot be read gives what it would hold when missing, and is remembered: see
  // RaiseLoadFailure and Save.
  SettingsRecord Load();
  // Raises EFOpenError ("Cannot open file %s") for the first file that Load could not read;
  // nothing when every file could be read.
  void RaiseLoadFailure() const;
  // Writes everything, each file replaced in one step, except the files that Load could not
  // read. Raises EIniFileError or EFCreateError; the writes after a failure are not done.
  void Save(const SettingsRecord& record);
  // The documents folder, looked up afresh; empty when unknown.
  std::filesystem::path DocumentsFolder();
  // The folder of the three files; known after Load (or the first Save).
  const std::filesystem::path& SettingsFolder() const { return settings_folder_; }

 private:
  void DetermineSettingsFolder();
  bool Unreadable(const std::filesystem::path& path) const;
  // The file's bytes; nothing when it does not exist, or when it cannot be read (remembered).
  std::optional<std::string> ReadExisting(const std::filesystem::path& path, size_t size_limit);
  std::optional<std::vector<std::string>> ReadHistory(const std::string& name);
  void WriteSettingsFile(const SettingsRecord& record);
  void WriteHistory(const std::string& name, const std::vector<std::string>& entries);

  UserFolders& folders_;
  FileSystem& files_;
  std::filesystem::path settings_folder_;
  std::vector<std::filesystem::path> unreadable_;
};

// The byte rules of the files, apart from the store for their tests.
namespace settings_format {
// Every entry followed by CR LF.
std::string JoinHistory(const std::vector<std::string>& entries);
}  // namespace settings_format
