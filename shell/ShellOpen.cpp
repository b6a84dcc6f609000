#include "shell/ShellOpen.h"

#include <shellapi.h>

#include "platform/win32/WideText.h"

namespace {

ShellOpener& CurrentOpener() {
  static ShellOpener opener;
  return opener;
}

void SystemOpen(const ShellOpenRequest& request) {
  ShellExecuteW(request.owner, WideText(request.verb).c_str(), WideText(request.file).c_str(),
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
