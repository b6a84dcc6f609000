// Records what is handed to the shell to open while it lives, and opens nothing. Windows only.
#pragma once

#include <utility>
#include <vector>

#include "shell/ShellOpen.h"

class FakeShellOpener {
 public:
  FakeShellOpener()
      : previous_(SetShellOpener(
            [this](const ShellOpenRequest& request) { requests.push_back(request); })) {}
  ~FakeShellOpener() { SetShellOpener(std::move(previous_)); }
  FakeShellOpener(const FakeShellOpener&) = delete;
  FakeShellOpener& operator=(const FakeShellOpener&) = delete;

  std::vector<ShellOpenRequest> requests;

 private:
  ShellOpener previous_;
};
