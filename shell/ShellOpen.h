// Asking the shell to perform a verb on a file or link (ShellExecute). Texts are Windows-1251.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct ShellOpenRequest {
  HWND owner = nullptr;
  std::string verb;
  std::string file;
  std::string parameters;
  std::string directory;
  int show = SW_SHOW;
};

using ShellOpener = std::function<void(const ShellOpenRequest& request)>;
// Replaces the opener and returns the previous one; an empty opener puts the system's back.
// Tests record the requests with it.
ShellOpener SetShellOpener(ShellOpener opener);
// Hands the request to the current opener. The shell's answer is not looked at: without a
// program for the link nothing happens.
void ShellOpen(const ShellOpenRequest& request);
