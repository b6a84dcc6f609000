#include "support/TempDir.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>

#include "core/Cp1251.h"

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  std::ostringstream name;
  name << "zirk-test-" << stamp << "-" << counter++;
  native_ = std::filesystem::temp_directory_path() / name.str();
  std::filesystem::create_directories(native_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(native_, ignored);
}

std::filesystem::path TempDir::Native(const std::string& name) const {
  std::u16string wide = cp1251::ToUtf16(name);
  return native_ / std::filesystem::path(wide);
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
