// The form's window procedure: background and windowless controls painted off screen, pointer
// messages routed to the control under the pointer (or holding the capture), the minimum size
// and the maximised place, anchors, and the notifications of native child controls passed to
// their objects.
#include <windowsx.h>

#include "shell/framework/Controls.h"
#include "shell/framework/Form.h"
#include "shell/framework/Monitors.h"
#include "shell/framework/WinControl.h"

namespace {

TShiftState MouseShift(WPARAM keys) {
  TShiftState shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  return shift;
}

}  // namespace

bool TForm::WindowProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (WndProc(message, wparam, lparam, result)) return true;
  result = 0;
  switch (message) {
    case WM_ERASEBKGND:
      // The paint that follows covers its whole area, background included.
      result = 1;
      return true;
    case WM_PAINT: {
      PaintDC paint(Handle());
      PaintArea(paint.get(), paint.Area());
      return true;
    }
    case WM_SIZE:
      if (wparam == SIZE_MAXIMIZED) state_ = TWindowState::wsMaximized;
      if (wparam == SIZE_MINIMIZED) state_ = TWindowState::wsMinimized;
      if (wparam == SIZE_RESTORED) state_ = TWindowState::wsNormal;
      FollowSize(LOWORD(lparam), HIWORD(lparam));
      return true;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      if (min_width_ > 0) info->ptMinTrackSize.x = min_width_;
      if (min_height_ > 0) info->ptMinTrackSize.y = min_height_;
      // Without a caption the system would maximise over the whole monitor, taskbar included:
      // the work area of the window's monitor instead, its position relative to the monitor.
      const MonitorArea area = MonitorOf(Handle());
      info->ptMaxPosition = {area.work.left - area.monitor.left, area.work.top - area.monitor.top};
      info->ptMaxSize = {area.work.right - area.work.left, area.work.bottom - area.work.top};
      return true;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      RouteMouse(message, wparam, lparam);
      return true;
    case WM_MOUSELEAVE:
      // Nothing to do here: the idle pass after this message finds the pointer gone.
      tracking_leave_ = false;
      return true;
    case WM_CAPTURECHANGED:
      capture_control_ = nullptr;
      return true;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT && SetControlCursor()) {
        result = TRUE;
        return true;
      }
      break;
    case WM_KEYDOWN: {
      WORD key = static_cast<WORD>(wparam);
      Fire(OnKeyDown, this, key, KeyboardShift());
      return true;
    }
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (lparam && PassToChild(reinterpret_cast<HWND>(lparam), message, wparam, lparam, result)) {
        return true;
      }
      break;
    case WM_NOTIFY:
      if (PassToChild(reinterpret_cast<NMHDR*>(lparam)->hwndFrom, message, wparam, lparam,
                      result)) {
        return true;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) focused_child_ = focus;
      }
      break;
    case WM_SETFOCUS:
      // Activated through the application window (the taskbar, the notification-area icon):
      // the field that had the focus has it again.
      if (focused_child_ && IsChild(Handle(), focused_child_) && IsWindowVisible(focused_child_) &&
          IsWindowEnabled(focused_child_)) {
        ::SetFocus(focused_child_);
        return true;
      }
      break;
    case WM_CLOSE:
      Close();
      return true;
    case WM_SYSCOMMAND:
      // Minimising the main form minimises the application, which carries the taskbar button.
      if ((wparam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this) {
        Application->Minimize();
        return true;
      }
      break;
  }
  return false;
}

void TForm::PaintArea(HDC target, const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  // Drawn off screen and copied in one go, so that no half-drawn state (background without its
  // pictures) ever shows, not even while the user drags an edge. The device context's clipping
  // leaves the native child controls alone.
  MemoryDC memory;
  BitmapOwner bitmap(CreateCompatibleBitmap(target, width, height));
  if (!memory.get() || !bitmap.get()) {
    PaintControlsOn(target, area);
    return;
  }
  Selection selected(memory.get(), bitmap.get());
  SetViewportOrgEx(memory.get(), -area.left, -area.top, nullptr);
  PaintControlsOn(memory.get(), area);
  SetViewportOrgEx(memory.get(), 0, 0, nullptr);
  BitBlt(target, area.left, area.top, width, height, memory.get(), 0, 0, SRCCOPY);
}

void TForm::PaintControlsOn(HDC dc, const RECT& area) {
  TCanvas(dc).FillRect(area, color_);
  const std::vector<TControl*> controls = controls_;
  for (TControl* item : controls) {
    auto* control = dynamic_cast<TGraphicControl*>(item);
    if (!control || !control->Visible()) continue;
    RECT bounds = control->BoundsRect();
    RECT overlap;
    if (!IntersectRect(&overlap, &bounds, &area)) continue;
    control->PaintTo(dc, control->Left(), control->Top());
  }
}

void TForm::FollowSize(int client_width, int client_height) {
  const std::vector<TControl*> controls = controls_;
  for (TControl* control : controls) control->FollowParentSize(client_width, client_height);
}

void TForm::RouteMouse(UINT message, WPARAM wparam, LPARAM lparam) {
  POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  if (message == WM_MOUSEMOVE && !tracking_leave_) {
    // Leaving the window posts a message, after which the idle pass notices it.
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
    tracking_leave_ = TrackMouseEvent(&track) != FALSE;
  }
  TGraphicControl* target = capture_control_ ? capture_control_ : ControlAt(at, false);
  if (!target) return;
  const TShiftState shift = MouseShift(wparam);
  const int x = at.x - target->Left();
  const int y = at.y - target->Top();
  switch (message) {
    case WM_MOUSEMOVE:
      target->MouseMoved(shift, x, y);
      break;
    case WM_LBUTTONDOWN:
      target->MouseButtonDown(TMouseButton::mbLeft, shift, x, y);
      break;
    case WM_RBUTTONDOWN:
      target->MouseButtonDown(TMouseButton::mbRight, shift, x, y);
      break;
    case WM_MBUTTONDOWN:
      target->MouseButtonDown(TMouseButton::mbMiddle, shift, x, y);
      break;
    case WM_LBUTTONUP:
      target->MouseButtonUp(TMouseButton::mbLeft, shift, x, y);
      break;
    case WM_RBUTTONUP:
      target->MouseButtonUp(TMouseButton::mbRight, shift, x, y);
      break;
    case WM_MBUTTONUP:
      target->MouseButtonUp(TMouseButton::mbMiddle, shift, x, y);
      break;
    case WM_LBUTTONDBLCLK:
      target->MouseDoubleClick(TMouseButton::mbLeft, shift, x, y);
      break;
    case WM_RBUTTONDBLCLK:
      target->MouseDoubleClick(TMouseButton::mbRight, shift, x, y);
      break;
    case WM_MBUTTONDBLCLK:
      target->MouseDoubleClick(TMouseButton::mbMiddle, shift, x, y);
      break;
  }
}

bool TForm::SetControlCursor() {
  POINT at;
  if (!GetCursorPos(&at) || !ScreenToClient(Handle(), &at)) return false;
  TGraphicControl* control = ControlAt(at, true);
  if (!control) return false;
  ::SetCursor(LoadCursorW(nullptr, control->Cursor()));
  return true;
}

bool TForm::PassToChild(HWND child, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  for (TControl* item : controls_) {
    auto* control = dynamic_cast<TWinControl*>(item);
    if (control && control->Handle() == child) {
      return control->ParentMessage(message, wparam, lparam, result);
    }
  }
  return false;
}
