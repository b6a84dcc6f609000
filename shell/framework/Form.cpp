#include "shell/framework/Form.h"

#include <algorithm>

#include "platform/win32/WideText.h"
#include "shell/framework/Controls.h"
#include "shell/framework/ModalWindows.h"
#include "shell/framework/WindowText.h"
#include "shell/logic/Anchors.h"

namespace {

const wchar_t kFormClass[] = L"ZirkForm";

void RegisterFormClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = kFormClass;
    return RegisterClassExW(&window_class) != 0;
  }();
  (void)registered;
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

TForm::TForm(TComponent* owner) : TComponent(owner) {
  RegisterFormClass(&TForm::WindowThunk);
  CreateWindowExW(0, kFormClass, L"",
                  WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                  320, 240, Application ? Application->Handle() : nullptr, nullptr,
                  GetModuleHandleW(nullptr), this);
}

TForm::~TForm() {
  for (TControl* control : controls_) control->parent_ = nullptr;
  if (!handle_) return;
  SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
  DestroyWindow(handle_);
  if (visible_ && Application) Application->UpdateTaskbarButton();
}

TForm* TForm::FromHandle(HWND window) {
  wchar_t name[16];
  if (!window || !GetClassNameW(window, name, 16) || wcscmp(name, kFormClass) != 0) return nullptr;
  // Another process's form windows carry the same class name and pointers of their own.
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return nullptr;
  return reinterpret_cast<TForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

std::string TForm::Caption() const {
  return WindowTextOf(handle_);
}

void TForm::SetCaption(const std::string& caption) {
  SetWindowTextW(handle_, WideText(caption).c_str());
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
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

int TForm::Left() const {
  return WindowRect(handle_).left;
}
int TForm::Top() const {
  return WindowRect(handle_).top;
}
int TForm::Width() const {
  RECT rect = WindowRect(handle_);
  return rect.right - rect.left;
}
int TForm::Height() const {
  RECT rect = WindowRect(handle_);
  return rect.bottom - rect.top;
}
int TForm::ClientWidth() const {
  return ClientRect(handle_).right;
}
int TForm::ClientHeight() const {
  return ClientRect(handle_).bottom;
}

void TForm::SetBounds(int left, int top, int width, int height) {
  // The system holds only the user's resizing to the minimum; a program's sizes are held here.
  SetWindowPos(handle_, nullptr, left, top, AtLeast(width, min_width_),
               AtLeast(height, min_height_), SWP_NOZORDER | SWP_NOACTIVATE);
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
  visible_ = visible;
  if (!visible) {
    ShowWindow(handle_, SW_HIDE);
    if (Application) Application->UpdateTaskbarButton();
    return;
  }
  ShowWindow(handle_, state_ == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
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
      ShowWindow(handle_, SW_RESTORE);
      break;
    case TWindowState::wsMaximized:
      ShowWindow(handle_, SW_MAXIMIZE);
      break;
    case TWindowState::wsMinimized:
      ShowWindow(handle_, SW_MINIMIZE);
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
    SetCapture(handle_);
    capture_control_ = control;
  } else {
    capture_control_ = nullptr;
    if (GetCapture() == handle_) ReleaseCapture();
  }
}
