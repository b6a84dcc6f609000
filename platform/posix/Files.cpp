// POSIX files. Paths are the platform's bytes (UTF-8 names).
#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>

namespace {

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

bool PlatformFileSystem::WriteFile(const std::filesystem::path& path,
                                   std::span<const std::string_view> pieces) {
  Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (file.get() < 0) return false;
  for (std::string_view bytes : pieces) {
    size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n = ::write(file.get(), bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<size_t>(n);
    }
  }
  // A full disk may show only when the cached bytes reach it.
  return ::fsync(file.get()) == 0 && file.Close();
}

std::optional<std::string> PlatformFileSystem::ReadFile(const std::filesystem::path& path,
                                                        size_t size_limit) {
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<uint64_t>(info.st_size) > size_limit) {
    return std::nullopt;
  }
  // One byte more than the file holds, so that its end shows without growing the text.
  std::string text(static_cast<size_t>(info.st_size) + 1, '\0');
  size_t done = 0;
  // The file may grow while it is read: read until its end, within the limit.
  for (;;) {
    if (done == text.size()) text.resize(text.size() + 65536);
    ssize_t n = ::read(file.get(), text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    done += static_cast<size_t>(n);
    if (done > size_limit) return std::nullopt;
  }
  text.resize(done);
  return text;
}

bool PlatformFileSystem::FileExists(const std::filesystem::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool PlatformFileSystem::ReplaceWith(const std::filesystem::path& from,
                                     const std::filesystem::path& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

void PlatformFileSystem::RemoveFile(const std::filesystem::path& path) {
  ::unlink(path.c_str());
}
