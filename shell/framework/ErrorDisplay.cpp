// The application's error display: where a caught exception ends up, and the modal box routine
// that shows it.
#include <exception>

#include "platform/win32/WideText.h"
#include "shell/framework/Application.h"
#include "shell/framework/ModalWindows.h"
#include "shell/logic/ErrorText.h"

namespace {

// Moves the application window, whose position decides where the box comes up, to the centre of
// the monitor of the active window when that is another monitor; reports where it was.
bool CentreOnMonitorOf(HWND application, HWND active, RECT& was) {
  if (!application || !active) return false;
  HMONITOR target = MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST);
  if (target == MonitorFromWindow(application, MONITOR_DEFAULTTONEAREST)) return false;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(target, &info) || !GetWindowRect(application, &was)) return false;
  const RECT& area = info.rcMonitor;
  SetWindowPos(application, nullptr, (area.left + area.right) / 2, (area.top + area.bottom) / 2, 0,
               0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
  return true;
}

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
