#include "shell/ShellOpen.h"

#include <shellapi.h>

#include "platform/win32/SystemLibrary.h"
#include "platform/win32/WideText.h"

namespace {

ShellOpener& CurrentOpener() {
  static ShellOpener opener;
  return opener;
}

// The shell's library is loaded at the first request; without it nothing opens, as when no
// program takes the link.
void SystemOpen(const ShellOpenRequest& request) {
  static const auto shell_execute =
      SystemFunction<decltype(::ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  if (!shell_execute) return;
  shell_execute(request.owner, WideText(request.verb).c_str(), WideText(request.file).c_str(),
                WideText(request.parameters).c_str(), WideText(request.directory).c_str(),
                request.show);
}

}  // namespace

ShellOpener SetShellOpener(ShellOpener opener) {
  ShellOpener previous = std::move(CurrentOpener());
  CurrentOpener() = std::move(opener);
  return previous;
}

void ShellOpen(const ShellOpenRequest& request) {
  if (CurrentOpener()) {
    CurrentOpener()(request);
  } else {
    SystemOpen(request);
  }
}
