// A fresh folder for one test, removed with its content afterwards.
#pragma once

#include <filesystem>
#include <string>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return native_; }
  // A file in the folder, its name given in Windows-1251.
  std::filesystem::path Native(const std::string& name) const;

 private:
  std::filesystem::path native_;
};

// Whole files as bytes, for assertions.
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
