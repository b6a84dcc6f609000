// POSIX files. The program's paths use "\"; here they become "/" and are used as bytes.
#include "platform/Files.h"

#include "core/Cp1251.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

// File names on POSIX are UTF-8.
std::string NativePath(const std::string& path) {
  std::string native = cp1251::ToUtf8(path);
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now, reporting whether the close succeeded (a full disk may show here).
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

}  // namespace

bool PlatformFileSystem::WriteFile(const std::string& path, std::string_view bytes) {
  Descriptor file(::open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (file.get() < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(file.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return file.Close();
}

std::optional<std::string> PlatformFileSystem::ReadFile(const std::string& path) {
  Descriptor file(::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return std::nullopt;
  std::string text;
  char block[65536];
  for (;;) {
    ssize_t n = ::read(file.get(), block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    text.append(block, static_cast<size_t>(n));
  }
  return text;
}

bool PlatformFileSystem::FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(NativePath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool PlatformFileSystem::ReplaceWith(const std::string& from, const std::string& to) {
  return std::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

void PlatformFileSystem::RemoveFile(const std::string& path) {
  ::unlink(NativePath(path).c_str());
}
