// The icon's side of the windows it works with: the shell's mouse notifications, the
// application window's hook, the owner window's replaced procedure, and hiding and showing the
// main window.
#include "core/ErrorRoute.h"
#include "shell/TrayIcon.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "shell/framework/WinControl.h"

namespace {

// The modifier keys down at this moment.
TShiftState AsyncKeys() {
  TShiftState keys = 0;
  if (GetAsyncKeyState(VK_SHIFT) < 0) keys |= ssShift;
  if (GetAsyncKeyState(VK_CONTROL) < 0) keys |= ssCtrl;
  if (GetAsyncKeyState(VK_MENU) < 0) keys |= ssAlt;
  return keys;
}

POINT CursorPos() {
  POINT at{};
  GetCursorPos(&at);
  return at;
}

}  // namespace

HWND TTrayIcon::OwnerWindow() const {
  if (auto* form = dynamic_cast<TForm*>(Owner())) return form->Handle();
  if (auto* control = dynamic_cast<TWinControl*>(Owner())) return control->Handle();
  return nullptr;
}

void TTrayIcon::ReplaceOwnerProc() {
  HWND owner = OwnerWindow();
  if (!owner) return;
  owner_proc_ = std::make_unique<AdoptedWindow>(
      owner, this, &ReportToApplicationErrorRoute,
      [this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
        return OwnerWindowProc(message, wparam, lparam, result);
      });
}

bool TTrayIcon::OwnerWindowProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  switch (message) {
    case WM_SHOWWINDOW:
      if (wparam == TRUE && lparam == 0) {
        // Shown by a show call (start-up, RestoreMainWindow): to the foreground.
        if (Application) SetForegroundWindow(Application->Handle());
        SetForegroundWindow(OwnerWindow());
      } else if (wparam == FALSE && lparam == SW_PARENTCLOSING &&
                 !(Application && Application->Terminated()) && MinimiseRoute()) {
        result = 1;
        return true;
      }
      break;
    case WM_SYSCOMMAND:
      if (wparam == SC_MINIMIZE && MinimiseRoute()) {
        result = 1;
        return true;
      }
      break;
  }
  return false;
}

bool TTrayIcon::MinimiseRoute() {
  if (!minimize_to_tray_ || !OnMinimizeToTray) return false;
  const std::shared_ptr<bool> alive = alive_;
  OnMinimizeToTray(this);
  if (*alive) HideToTray();
  return true;
}

bool TTrayIcon::ApplicationHook(UINT message, WPARAM wparam) {
  if (message == WM_SIZE && wparam == SIZE_MINIMIZED && minimize_to_tray_) HideToTray();
  if (message == WM_SYSCOMMAND && wparam == SC_RESTORE && Application && Application->MainForm()) {
    Application->MainForm()->SetVisible(true);
  }
  if (message != 0 && message == TaskbarRestartMessage() && icon_visible_) AddTrayIcon();
  return false;
}

// --- the shell's notifications ------------------------------------------------------------------

void TTrayIcon::TrayMessage(UINT mouse_message) {
  if (!enabled_) return;
  const TShiftState keys = AsyncKeys();
  const POINT at = CursorPos();
  const std::shared_ptr<bool> alive = alive_;
  switch (mouse_message) {
    case WM_MOUSEMOVE:
      if (want_enter_exit_ && mouse_outside_) {
        MouseEnter();
        if (!*alive) return;
        mouse_outside_ = false;
      }
      MouseMove(keys, at.x, at.y);
      if (*alive) last_move_pos_ = at;
      break;
    case WM_LBUTTONDOWN:
      if (OnDblClick) {
        // Restarts a running click timer.
        click_timer_.SetInterval(static_cast<int32_t>(GetDoubleClickTime()));
        click_timer_.SetEnabled(true);
      }
      MouseDown(TMouseButton::mbLeft, keys | ssLeft, at.x, at.y);
      if (!*alive) return;
      left_down_ = true;
      if (left_popup_) PopupAtCursor();
      break;
    case WM_LBUTTONUP:
      if (left_down_) {
        click_pending_ = true;
        if (!click_timer_.Enabled()) {
          left_down_ = false;
          click_pending_ = false;
          Click();
          if (!*alive) return;
        }
      }
      left_down_ = false;
      MouseUp(TMouseButton::mbLeft, keys | ssLeft, at.x, at.y);
      break;
    case WM_LBUTTONDBLCLK:
      click_pending_ = false;
      dbl_click_seen_ = true;
      DblClick();
      if (*alive && popup_menu_ && popup_menu_->AutoPopup() && !left_popup_) {
        popup_menu_->ClickDefaultItem();
      }
      break;
    case WM_RBUTTONDOWN:
      MouseDown(TMouseButton::mbRight, keys | ssRight, at.x, at.y);
      if (*alive) PopupAtCursor();
      break;
    case WM_RBUTTONUP:
      MouseUp(TMouseButton::mbRight, keys | ssRight, at.x, at.y);
      break;
    case WM_MBUTTONDOWN:
      MouseDown(TMouseButton::mbMiddle, keys | ssMiddle, at.x, at.y);
      break;
    case WM_MBUTTONUP:
      MouseUp(TMouseButton::mbMiddle, keys | ssMiddle, at.x, at.y);
      break;
  }
}

void TTrayIcon::PopupAtCursor() {
  POINT at;
  if (!popup_menu_ || !popup_menu_->AutoPopup() || !GetCursorPos(&at)) return;
  const std::shared_ptr<bool> alive = alive_;
  // The menu closes when the user clicks elsewhere only if the application is in front.
  if (Application) {
    SetForegroundWindow(Application->Handle());
    Application->ProcessMessages();
  }
  // Pending messages may have taken the menu, or the icon, away.
  if (!*alive || !popup_menu_) return;
  popup_menu_->SetPopupComponent(this);
  popup_menu_->Popup(at.x, at.y);
  if (!*alive) return;
  if (HWND owner = OwnerWindow()) PostMessageW(owner, WM_NULL, 0, 0);
}

// --- the main window ----------------------------------------------------------------------------

void TTrayIcon::RestoreMainWindow() {
  if (!OwnerWindow() || !Application || !Application->MainForm()) return;
  Application->Restore();
  TForm* main = Application->MainForm();
  if (main->WindowState() == TWindowState::wsMinimized)
    main->SetWindowState(TWindowState::wsNormal);
  main->SetVisible(true);
  SetForegroundWindow(Application->Handle());
}

void TTrayIcon::HideMainWindow() {
  if (!OwnerWindow() || !Application || !Application->MainForm()) return;
  Application->MainForm()->SetVisible(false);
  HideTaskbarButton();
}

void TTrayIcon::HideTaskbarButton() {
  if (Application && IsWindowVisible(Application->Handle())) {
    ShowWindow(Application->Handle(), SW_HIDE);
  }
}

void TTrayIcon::HideToTray() {
  HideMainWindow();
  SetIconVisible(true);
}

// --- event raisers ------------------------------------------------------------------------------

void TTrayIcon::Click() {
  Fire(OnClick, this);
}
void TTrayIcon::DblClick() {
  Fire(OnDblClick, this);
}
void TTrayIcon::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  Fire(OnMouseDown, this, Button, Shift, X, Y);
}
void TTrayIcon::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  Fire(OnMouseUp, this, Button, Shift, X, Y);
}
void TTrayIcon::MouseMove(TShiftState Shift, int X, int Y) {
  Fire(OnMouseMove, this, Shift, X, Y);
}
void TTrayIcon::MouseEnter() {
  Fire(OnMouseEnter, this);
}
void TTrayIcon::MouseExit() {
  Fire(OnMouseExit, this);
}
