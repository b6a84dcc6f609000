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

  // The folder as the program writes paths: Windows-1251, "\" separators, no final "\".
  const std::string& ProgramPath() const { return program_path_; }
  // A file in the folder, as the program writes it.
  std::string ProgramPath(const std::string& name) const { return program_path_ + "\\" + name; }
  // The same file for the test's own reads and writes.
  std::filesystem::path Native(const std::string& name) const;

 private:
  std::filesystem::path native_;
  std::string program_path_;
};

// Whole files as bytes, for assertions.
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
