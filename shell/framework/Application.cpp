// The application window is a zero-sized captioned popup in the middle of the primary monitor:
// hidden until a form is shown, it is what the taskbar shows and what owns the forms, so that
// minimising it takes every form along.
#include "shell/framework/Application.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/ErrorRoute.h"
#include "platform/win32/WideText.h"
#include "shell/framework/Controls.h"
#include "shell/framework/Form.h"

TApplication* Application = nullptr;

namespace {

HostedWindowShape ApplicationWindowShape() {
  return {.class_name = L"ZirkApplication",
          .cursor = IDC_ARROW,
          .style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
          .left = GetSystemMetrics(SM_CXSCREEN) / 2,
          .top = GetSystemMetrics(SM_CYSCREEN) / 2};
}

// Posted to the application window behind the messages that a ProcessMessages call handles.
UINT QueueMarkMessage() {
  static const UINT message = RegisterWindowMessageW(L"ZirkQueueMark");
  return message;
}

// The application reports what its own window's messages let out.
void ReportToItself(TObject* application) {
  static_cast<TApplication*>(application)->ReportException(application);
}

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

TApplication::TApplication()
    : window_(ApplicationWindowShape(), this, &ReportToItself,
              [this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
                return WindowProc(message, wparam, lparam, result);
              }) {
  Application = this;
  SetApplicationErrorRoute(this, [this](TObject* sender) { ReportException(sender); });
}

TApplication::~TApplication() {
  DestroyForms();
  ClearApplicationErrorRoute(this);
  window_.Destroy();
  if (Application == this) Application = nullptr;
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (Handle()) SetWindowTextW(Handle(), WideText(title).c_str());
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

// Posted messages come before input: a peer whose data keeps the socket's notifications coming
// would keep the user's keys and clicks waiting until it stops. Input that waits goes first.
bool TApplication::TakeMessage(MSG& message) {
  if (HIWORD(GetQueueStatus(QS_INPUT)) != 0 &&
      PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT)) {
    return true;
  }
  return PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE;
}

void TApplication::HandleMessage() {
  // A peer whose data keeps the socket's notifications coming never lets the queue run empty;
  // without the idle processing no skinned button would see the pointer enter it, and a click
  // on "Разорвать" would be ignored for as long as the peer sends.
  if (GetTickCount64() - last_idle_ >= kMostBusyMs) Idle();
  try {
    MSG message;
    if (!TakeMessage(message)) {
      Idle();
      WaitMessage();
      // Empty until now.
      last_idle_ = GetTickCount64();
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

// Only up to a mark posted behind what waits now: a peer whose data keeps the socket's
// notifications coming would otherwise keep this from returning, and a skinned button's click,
// which runs after it, from ever running. The mark is noted wherever it is dispatched, also by
// a nested loop, so a call inside another stops at its own mark and the outer one at once.
void TApplication::ProcessMessages() {
  const WPARAM mark = ++marks_posted_;
  const bool marked = PostMessageW(Handle(), QueueMarkMessage(), mark, 0);
  MSG message;
  auto dispatch = [&] {
    if (message.message == WM_QUIT) {
      terminated_ = true;
      return false;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
    return true;
  };
  while (!(marked && marks_seen_ >= mark) && TakeMessage(message)) {
    if (!dispatch()) return;
  }
  // What the queue makes only while nothing is posted: paints, the ticks due (each timer's
  // once, or a handler slower than its timer would keep this going), the quit request.
  while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) dispatch();
  std::vector<std::pair<HWND, WPARAM>> ticked;
  while (PeekMessageW(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    const std::pair<HWND, WPARAM> timer{message.hwnd, message.wParam};
    dispatch();
    if (std::find(ticked.begin(), ticked.end(), timer) != ticked.end()) break;
    ticked.push_back(timer);
  }
  if (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) dispatch();
}

void TApplication::Terminate() {
  PostQuitMessage(0);
}

void TApplication::Minimize() {
  if (IsIconic(Handle())) return;
  ShowOwnedPopups(Handle(), FALSE);
  forms_hidden_by_minimise_ = true;
  ShowWindow(Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
  if (!IsIconic(Handle())) return;
  ShowWindow(Handle(), SW_RESTORE);
  ShowOwnedPopups(Handle(), TRUE);
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
  if (!Handle()) return;
  bool any_visible = false;
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleForm, reinterpret_cast<LPARAM>(&any_visible));
  if (any_visible && !IsWindowVisible(Handle())) {
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  } else if (!any_visible && IsWindowVisible(Handle())) {
    ShowWindow(Handle(), SW_HIDE);
  }
}

void TApplication::Idle() {
  last_idle_ = GetTickCount64();
  try {
    TrackPointer();
    Fire(OnIdle, this);
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

bool TApplication::WindowProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (message == QueueMarkMessage()) {
    marks_seen_ = std::max(marks_seen_, wparam);
    result = 0;
    return true;
  }
  // A hook may remove itself or others: each is looked up again before it runs.
  std::vector<int> ids;
  for (const Hook& hook : hooks_) ids.push_back(hook.id);
  for (int id : ids) {
    auto found =
        std::find_if(hooks_.begin(), hooks_.end(), [id](const Hook& h) { return h.id == id; });
    if (found == hooks_.end()) continue;
    MessageHook hook = found->hook;
    if (hook(message, wparam, lparam, result)) return true;
  }
  result = 0;
  switch (message) {
    case WM_CLOSE:
      if (main_form_) main_form_->Close();
      return true;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_MINIMIZE) {
        Minimize();
        return true;
      }
      if ((wparam & 0xFFF0) == SC_RESTORE) {
        Restore();
        return true;
      }
      break;
    case WM_SIZE:
      // Restored, also by another program's call (a second copy of the program): the forms that
      // minimising hid come back.
      if (wparam == SIZE_RESTORED && forms_hidden_by_minimise_) {
        forms_hidden_by_minimise_ = false;
        ShowOwnedPopups(Handle(), TRUE);
      }
      break;
    case WM_SETFOCUS:
      // The taskbar button activates this window; the main form takes the focus.
      if (main_form_ && IsWindowVisible(main_form_->Handle()) &&
          IsWindowEnabled(main_form_->Handle())) {
        SetFocus(main_form_->Handle());
      }
      return true;
  }
  return false;
}
