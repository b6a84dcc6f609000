#include "shell/framework/Form.h"

#include <algorithm>

#include "platform/win32/WideText.h"
#include "shell/ShellTexts.h"
#include "shell/framework/Controls.h"
#include "shell/framework/ModalWindows.h"
#include "shell/framework/WinControl.h"
#include "shell/framework/WindowText.h"
#include "shell/logic/Anchors.h"

namespace {

HostedWindowShape FormWindowShape() {
  return {.class_name = L"ZirkForm",
          .class_style = CS_DBLCLKS,
          .cursor = IDC_ARROW,
          .style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
          .width = 320,
          .height = 240,
          .owner = Application ? Application->Handle() : nullptr};
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT ClientRect(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return rect;
}

}  // namespace

TShiftState KeyboardShift() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  return shift;
}

TForm::TForm(TComponent* owner)
    : TComponent(owner),
      window_(FormWindowShape(), this, &ReportCaughtException,
              [this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
                return WindowProc(message, wparam, lparam, result);
              }) {
  if (!window_.Handle()) throw Exception(shell_texts::kCannotCreateWindow);
}

TForm::~TForm() {
  for (TControl* control : controls_) control->parent_ = nullptr;
  if (!window_.Handle()) return;
  // Gone before the taskbar button is worked out again.
  window_.Destroy();
  if (visible_ && Application) Application->UpdateTaskbarButton();
}

TForm* TForm::FromHandle(HWND window) {
  return dynamic_cast<TForm*>(HostedWindow::SenderOf(window));
}

std::string TForm::Caption() const {
  return WindowTextOf(Handle());
}

void TForm::SetCaption(const std::string& caption) {
  SetWindowTextW(Handle(), WideText(caption).c_str());
}

void TForm::SetColor(TColor color) {
  color_ = color;
  InvalidateAll();
}

void TForm::SetFont(const TFont& font) {
  font_.Assign(font);
  InvalidateAll();
}

void TForm::InvalidateAll() {
  // Hidden, it is painted whole when shown.
  if (Handle() && IsWindowVisible(Handle())) InvalidateRect(Handle(), nullptr, TRUE);
}

int TForm::Left() const {
  return WindowRect(Handle()).left;
}
int TForm::Top() const {
  return WindowRect(Handle()).top;
}
int TForm::Width() const {
  RECT rect = WindowRect(Handle());
  return rect.right - rect.left;
}
int TForm::Height() const {
  RECT rect = WindowRect(Handle());
  return rect.bottom - rect.top;
}
int TForm::ClientWidth() const {
  return ClientRect(Handle()).right;
}
int TForm::ClientHeight() const {
  return ClientRect(Handle()).bottom;
}

void TForm::SetBounds(int left, int top, int width, int height) {
  // The system holds only the user's resizing to the minimum; a program's sizes are held here.
  width = AtLeast(width, min_width_);
  height = AtLeast(height, min_height_);
  // Where it is already, nothing would change: the system is not asked (start-up sets the
  // stored place, mostly the one the window has).
  const RECT now = WindowRect(Handle());
  if (now.left == left && now.top == top && now.right - now.left == width &&
      now.bottom - now.top == height) {
    return;
  }
  SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetClientWidth(int width) {
  SetBounds(Left(), Top(), width + Width() - ClientWidth(), Height());
}

void TForm::SetClientHeight(int height) {
  SetBounds(Left(), Top(), Width(), height + Height() - ClientHeight());
}

void TForm::SetMinSize(int width, int height) {
  min_width_ = width;
  min_height_ = height;
  if (Width() < width || Height() < height) SetBounds(Left(), Top(), Width(), Height());
}

void TForm::SetVisible(bool visible) {
  // A form that is already what it is asked to be does not go through its show step again: a
  // restore from the taskbar makes the visible main form visible, and its focus stays put.
  if (visible == visible_) return;
  visible_ = visible;
  if (!visible) {
    ShowWindow(Handle(), SW_HIDE);
    if (Application) Application->UpdateTaskbarButton();
    return;
  }
  ShowWindow(Handle(), state_ == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
  if (Application) Application->UpdateTaskbarButton();
  try {
    Fire(OnShow, this);
  } catch (...) {
    ReportCaughtException(this);
  }
}

void TForm::SetWindowState(TWindowState state) {
  state_ = state;
  if (!visible_) return;
  switch (state) {
    case TWindowState::wsNormal:
      ShowWindow(Handle(), SW_RESTORE);
      break;
    case TWindowState::wsMaximized:
      ShowWindow(Handle(), SW_MAXIMIZE);
      break;
    case TWindowState::wsMinimized:
      ShowWindow(Handle(), SW_MINIMIZE);
      break;
  }
}

int TForm::ShowModal() {
  HWND active = GetActiveWindow();
  ThreadWindowsDisabled others;
  modal_ = true;
  modal_result_ = mrNone;
  Show();
  while (modal_result_ == mrNone && Application && !Application->Terminated()) {
    Application->HandleMessage();
  }
  // The others first, so that hiding this one hands the activation back to them.
  others.EnableAgain();
  Hide();
  modal_ = false;
  if (active && IsWindow(active)) SetActiveWindow(active);
  return modal_result_;
}

void TForm::Close() {
  if (modal_) {
    modal_result_ = mrCancel;
  } else if (Application && Application->MainForm() == this) {
    Application->Terminate();
  } else {
    Hide();
  }
}

void TForm::AfterConstruction() {
  try {
    Fire(OnCreate, this);
  } catch (...) {
    ReportCaughtException(this);
  }
}

void TForm::BeforeDestruction() {
  try {
    Fire(OnDestroy, this);
  } catch (...) {
    ReportCaughtException(this);
  }
}

void TForm::SelectNext(TWinControl& from, bool forward) {
  std::vector<TWinControl*> stops;
  size_t at = 0;
  for (TControl* control : controls_) {
    auto* native = dynamic_cast<TWinControl*>(control);
    if (native == &from) at = stops.size();
    if (native && (native == &from || (native->TabStop() && IsWindowVisible(native->Handle()) &&
                                       IsWindowEnabled(native->Handle())))) {
      stops.push_back(native);
    }
  }
  if (stops.size() < 2) return;
  const size_t next = forward ? (at + 1) % stops.size() : (at + stops.size() - 1) % stops.size();
  stops[next]->SetFocus();
  // As a dialog does: an edit field reached by Tab has its text selected, ready to be typed over.
  HWND focus = GetFocus();
  if (focus && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)) {
    SendMessageW(focus, EM_SETSEL, 0, -1);
  }
}

TGraphicControl* TForm::ControlAt(POINT client, bool include_disabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    auto* control = dynamic_cast<TGraphicControl*>(*it);
    if (!control || !control->Visible() || (!include_disabled && !control->Enabled())) continue;
    RECT bounds = control->BoundsRect();
    if (PtInRect(&bounds, client)) return control;
  }
  return nullptr;
}

void TForm::InsertControl(TControl* control) {
  controls_.push_back(control);
}

void TForm::RemoveControl(TControl* control) {
  std::erase(controls_, control);
  if (capture_control_ == control) SetCaptureControl(nullptr);
}

void TForm::SetCaptureControl(TGraphicControl* control) {
  if (control) {
    SetCapture(Handle());
    capture_control_ = control;
  } else {
    capture_control_ = nullptr;
    if (GetCapture() == Handle()) ReleaseCapture();
  }
}
