// The application's error display: where a caught exception ends up, and the modal box routine
// that shows it.
#include <exception>
#include <optional>

#include "platform/win32/WideText.h"
#include "shell/framework/Application.h"
#include "shell/framework/ModalWindows.h"
#include "shell/framework/Monitors.h"
#include "shell/logic/ErrorText.h"

namespace {

// Moves the application window, whose position decides where the box comes up, to the centre of
// the monitor of the active window when that is another monitor; reports where it was.
bool CentreOnMonitorOf(HWND application, HWND active, RECT& was) {
  if (!application || !active) return false;
  const MonitorArea target = MonitorOf(active);
  if (target.handle == MonitorOf(application).handle || !GetWindowRect(application, &was)) {
    return false;
  }
  const POINT centre = CentreIn(target.monitor, 0, 0);
  SetWindowPos(application, nullptr, centre.x, centre.y, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
  return true;
}

// While it lives, a dialog box that this thread activates is put above every other window (not
// every platform honours MB_TOPMOST). A box owned by the hidden application window would
// otherwise open behind the user's other windows, with no taskbar button to find it by.
class BoxesToFront {
 public:
  BoxesToFront() : hook_(SetWindowsHookExW(WH_CBT, &OnCbt, nullptr, GetCurrentThreadId())) {}
  ~BoxesToFront() {
    if (hook_) UnhookWindowsHookEx(hook_);
  }
  BoxesToFront(const BoxesToFront&) = delete;
  BoxesToFront& operator=(const BoxesToFront&) = delete;

 private:
  static LRESULT CALLBACK OnCbt(int code, WPARAM wparam, LPARAM lparam) {
    auto* window = reinterpret_cast<HWND>(wparam);
    wchar_t name[8] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(window, name, 8) && lstrcmpW(name, L"#32770") == 0) {
      SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }
  HHOOK hook_;
};

}  // namespace

void TApplication::ReportException(TObject* sender) {
  if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
  if (!std::current_exception()) return;
  auto show = [&](const Exception& error) {
    if (ExceptionHook) {
      ExceptionHook(sender, error);
    } else {
      ShowErrorBox(error);
    }
  };
  // Nothing may leave a catch point: a failure of the display itself is dropped.
  try {
    try {
      throw;
    } catch (const EAbort&) {
    } catch (const Exception& error) {
      show(error);
    } catch (const std::exception& error) {
      show(Exception(error.what()));
    } catch (...) {
      show(Exception(""));
    }
  } catch (...) {
  }
}

void TApplication::ShowErrorBox(const Exception& error) {
  ShowMessageBox(ErrorBoxText(error.Message()), WindowTitle(), MB_OK | MB_ICONERROR);
}

int TApplication::ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) {
  const std::wstring wide_text = WideText(text);
  const std::wstring wide_caption = WideText(caption);
  HWND active = GetActiveWindow();
  RECT was{};
  const bool moved = CentreOnMonitorOf(Handle(), active, was);
  // With none of the program's windows on show (hidden in the notification area, or minimised)
  // the box must come to the front by itself.
  std::optional<BoxesToFront> to_front;
  if (!IsWindowVisible(Handle()) || IsIconic(Handle())) {
    to_front.emplace();
    flags |= MB_SETFOREGROUND;
  }
  ThreadWindowsDisabled disabled;
  const int result = MessageBoxW(Handle(), wide_text.c_str(), wide_caption.c_str(), flags);
  if (moved) {
    SetWindowPos(Handle(), nullptr, was.left, was.top, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  disabled.EnableAgain();
  if (active && IsWindow(active)) SetActiveWindow(active);
  return result;
}

std::string TApplication::WindowTitle() const {
  if (!Handle()) return title_;
  wchar_t buffer[256];
  const int length = GetWindowTextW(Handle(), buffer, 256);
  return NarrowText(std::wstring_view(buffer, length > 0 ? length : 0));
}
