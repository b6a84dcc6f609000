// The application window is a zero-sized captioned popup in the middle of the primary monitor:
// hidden until a form is shown, it is what the taskbar shows and what owns the forms, so that
// minimising it takes every form along.
#include "shell/framework/Application.h"

#include <algorithm>

#include "core/ErrorRoute.h"
#include "platform/win32/WideText.h"
#include "shell/framework/Controls.h"
#include "shell/framework/Form.h"

TApplication* Application = nullptr;

namespace {

const wchar_t kApplicationClass[] = L"ZirkApplication";

BOOL CALLBACK FindVisibleForm(HWND window, LPARAM found) {
  TForm* form = TForm::FromHandle(window);
  if (form && form->Visible() && GetWindow(window, GW_OWNER) == Application->Handle()) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void ReportCaughtException(TObject* sender) {
  if (Application) Application->ReportException(sender);
}

TApplication::TApplication() {
  Application = this;
  static const bool registered = [] {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = &TApplication::WindowThunk;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = kApplicationClass;
    return RegisterClassExW(&window_class) != 0;
  }();
  (void)registered;
  CreateWindowExW(0, kApplicationClass, L"",
                  WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                  GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                  nullptr, nullptr, GetModuleHandleW(nullptr), this);
  SetApplicationErrorRoute(this, [this](TObject* sender) { ReportException(sender); });
}

TApplication::~TApplication() {
  DestroyForms();
  ClearApplicationErrorRoute(this);
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  if (Application == this) Application = nullptr;
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (window_) SetWindowTextW(window_, WideText(title).c_str());
}

void TApplication::AdoptForm(std::unique_ptr<TForm> form) {
  TForm* adopted = form.get();
  forms_.push_back(std::move(form));
  if (!main_form_) main_form_ = adopted;
  adopted->AfterConstruction();
}

void TApplication::DestroyForms() {
  while (!forms_.empty()) {
    std::unique_ptr<TForm> form = std::move(forms_.back());
    forms_.pop_back();
    form->BeforeDestruction();
    if (form.get() == main_form_) main_form_ = nullptr;
    form.reset();
  }
}

void TApplication::Run() {
  if (show_main_form_ && main_form_) main_form_->Show();
  while (!terminated_) HandleMessage();
}

void TApplication::HandleMessage() {
  try {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      Idle();
      WaitMessage();
      return;
    }
    if (message.message == WM_QUIT) {
      terminated_ = true;
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  } catch (...) {
    ReportException(this);
  }
}

void TApplication::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      terminated_ = true;
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void TApplication::Terminate() {
  PostQuitMessage(0);
}

void TApplication::Minimize() {
  if (IsIconic(window_)) return;
  ShowOwnedPopups(window_, FALSE);
  forms_hidden_by_minimise_ = true;
  ShowWindow(window_, SW_MINIMIZE);
}

void TApplication::Restore() {
  if (!IsIconic(window_)) return;
  ShowWindow(window_, SW_RESTORE);
  ShowOwnedPopups(window_, TRUE);
}

int TApplication::HookMainWindow(MessageHook hook) {
  hooks_.push_back({next_hook_id_, std::move(hook)});
  return next_hook_id_++;
}

void TApplication::UnhookMainWindow(int id) {
  std::erase_if(hooks_, [id](const Hook& hook) { return hook.id == id; });
}

SIZE TApplication::IconSize() const {
  return {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
}

void TApplication::UpdateTaskbarButton() {
  if (!window_) return;
  bool any_visible = false;
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleForm, reinterpret_cast<LPARAM>(&any_visible));
  if (any_visible && !IsWindowVisible(window_)) {
    ShowWindow(window_, SW_SHOWNOACTIVATE);
  } else if (!any_visible && IsWindowVisible(window_)) {
    ShowWindow(window_, SW_HIDE);
  }
}

void TApplication::Idle() {
  try {
    TrackPointer();
  } catch (...) {
    ReportException(this);
  }
}

void TApplication::TrackPointer() {
  POINT at;
  if (!GetCursorPos(&at)) return;
  TGraphicControl* hit = nullptr;
  if (TForm* form = TForm::FromHandle(WindowFromPoint(at))) {
    ScreenToClient(form->Handle(), &at);
    hit = form->ControlAt(at, true);
  }
  TGraphicControl* capture = nullptr;
  if (TForm* form = TForm::FromHandle(GetCapture())) capture = form->CaptureControl();
  auto change = pointer_.Update(hit, capture);
  if (change.left) change.left->MouseLeft();
  // The left control's handler may have destroyed the entered one.
  if (change.entered && pointer_.Current() == change.entered) change.entered->MouseEntered();
}

LRESULT TApplication::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  // A hook may remove itself or others: each is looked up again before it runs.
  std::vector<int> ids;
  for (const Hook& hook : hooks_) ids.push_back(hook.id);
  for (int id : ids) {
    auto found =
        std::find_if(hooks_.begin(), hooks_.end(), [id](const Hook& h) { return h.id == id; });
    if (found == hooks_.end()) continue;
    MessageHook hook = found->hook;
    LRESULT result = 0;
    if (hook(message, wparam, lparam, result)) return result;
  }
  switch (message) {
    case WM_CLOSE:
      if (main_form_) main_form_->Close();
      return 0;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_MINIMIZE) {
        Minimize();
        return 0;
      }
      if ((wparam & 0xFFF0) == SC_RESTORE) {
        Restore();
        return 0;
      }
      break;
    case WM_SIZE:
      // Restored, also by another program's call (a second copy of the program): the forms that
      // minimising hid come back.
      if (wparam == SIZE_RESTORED && forms_hidden_by_minimise_) {
        forms_hidden_by_minimise_ = false;
        ShowOwnedPopups(window_, TRUE);
      }
      break;
    case WM_SETFOCUS:
      // The taskbar button activates this window; the main form takes the focus.
      if (main_form_ && IsWindowVisible(main_form_->Handle()) &&
          IsWindowEnabled(main_form_->Handle())) {
        SetFocus(main_form_->Handle());
      }
      return 0;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

LRESULT CALLBACK TApplication::WindowThunk(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* created =
        reinterpret_cast<TApplication*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    created->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<TApplication*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wparam, lparam);
  try {
    return self->WindowProc(message, wparam, lparam);
  } catch (...) {
    self->ReportException(self);
    return 0;
  }
}
