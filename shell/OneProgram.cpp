// The mutex is only held open, never owned: its existence is the signal.
#include "shell/OneProgram.h"

#include "platform/win32/WideText.h"
#include "shell/framework/Application.h"

void TOneProgram::Loaded() {
  TComponent::Loaded();
  const std::wstring name = WideText(Application->Title().substr(0, kMaxNameLength));
  guard_loaded_ = false;
  HANDLE created = CreateMutexW(nullptr, FALSE, name.c_str());
  const DWORD error = GetLastError();
  mutex_ = UniqueHandle(created);
  if (error == ERROR_ALREADY_EXISTS || !mutex_.valid()) {
    Fire(AlreadyExist, this);
    if (SwitchToPrevious) {
      // This copy's application window carries the same title; emptied, the search below cannot
      // find it instead of the running copy's.
      SetWindowTextW(Application->Handle(), L"");
      HWND running = FindWindowW(nullptr, name.c_str());
      if (running) {
        if (IsIconic(running)) {
          ShowWindow(running, SW_RESTORE);
        } else {
          BringWindowToTop(running);
        }
      }
      SetForegroundWindow(running);
    }
    Application->SetShowMainForm(false);
    Application->Terminate();
  }
  guard_loaded_ = true;
}
