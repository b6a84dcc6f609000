// The icon's properties and its requests to the shell, the shared icon window, construction,
// loading and destruction, and the timers' work (clicks, leaving the icon, cycling).
#include "shell/TrayIcon.h"

#include <algorithm>
#include <cstring>

#include "core/ErrorRoute.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/WideText.h"
#include "shell/framework/Application.h"

namespace {

TrayNotifier& CurrentNotifier() {
  static TrayNotifier notifier;
  return notifier;
}

// The process's handler; destroyed with the process if an icon still lives then.
std::unique_ptr<TTrayIconHandler>& Shared() {
  static std::unique_ptr<TTrayIconHandler> handler;
  return handler;
}

template <size_t Capacity, size_t From>
void CopyText(WCHAR (&to)[Capacity], const CHAR (&from)[From]) {
  const std::wstring wide = WideText(std::string_view(from, strnlen(from, From)));
  const size_t length = std::min(wide.size(), Capacity - 1);
  std::copy_n(wide.data(), length, to);
  to[length] = L'\0';
}

// The file version of the common-controls library in this process, from its version resource:
// the most significant word (major times 65536 plus minor); 0 when it cannot be read.
DWORD CommonControlsVersion() {
  HMODULE library = GetModuleHandleW(L"comctl32.dll");
  HRSRC found =
      library ? FindResourceW(library, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION) : nullptr;
  HGLOBAL loaded = found ? LoadResource(library, found) : nullptr;
  const auto* bytes = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
  // The fixed part follows the header's three words and the key "VS_VERSION_INFO", aligned.
  const size_t offset = (3 * sizeof(WORD) + sizeof L"VS_VERSION_INFO" + 3) & ~size_t{3};
  if (!bytes || SizeofResource(library, found) < offset + sizeof(VS_FIXEDFILEINFO)) return 0;
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, bytes + offset, sizeof fixed);
  return fixed.dwSignature == 0xFEEF04BD ? fixed.dwFileVersionMS : 0;
}

}  // namespace

TrayNotifier SetTrayNotifier(TrayNotifier notifier) {
  TrayNotifier previous = std::move(CurrentNotifier());
  CurrentNotifier() = std::move(notifier);
  return previous;
}

NOTIFYICONDATAW WideNotifyData(const TNotifyIconDataA& data) {
  NOTIFYICONDATAW wide{};
  wide.cbSize = NOTIFYICONDATAW_V2_SIZE;
  wide.hWnd = data.hWnd;
  wide.uID = data.uID;
  wide.uFlags = data.uFlags;
  wide.uCallbackMessage = data.uCallbackMessage;
  wide.hIcon = data.hIcon;
  CopyText(wide.szTip, data.szTip);
  wide.dwState = data.dwState;
  wide.dwStateMask = data.dwStateMask;
  CopyText(wide.szInfo, data.szInfo);
  wide.uVersion = data.uVersion;
  CopyText(wide.szInfoTitle, data.szInfoTitle);
  wide.dwInfoFlags = data.dwInfoFlags;
  return wide;
}

bool SystemTrayNotify(DWORD message, const TNotifyIconDataA& data) {
  // Every request but an add needs an icon that this process has added: until the first add
  // the shell would refuse it, so the answer is given here, and the shell's library is loaded
  // only when an icon is first shown (not at start, where the icon's properties are set).
  static bool added = false;
  if (message != NIM_ADD && !added) return false;
  added = true;
  static const auto notify =
      SystemFunction<decltype(::Shell_NotifyIconW)>(L"shell32.dll", "Shell_NotifyIconW");
  NOTIFYICONDATAW wide = WideNotifyData(data);
  return notify && notify(message, &wide) != FALSE;
}

UINT TaskbarRestartMessage() {
  static const UINT message = TaskbarRestartSupported(CommonControlsVersion())
                                  ? RegisterWindowMessageW(L"TaskbarCreated")
                                  : 0;
  return message;
}

// --- the shared icon window -------------------------------------------------------------------

TTrayIconHandler::TTrayIconHandler()
    : window_(nullptr, [this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
        return TrayWindowProc(message, wparam, lparam, result);
      }) {
  TaskbarRestartMessage();
}

UINT TTrayIconHandler::AcquireIconWindow(TTrayIcon* icon) {
  auto& shared = Shared();
  if (!shared) shared = std::make_unique<TTrayIconHandler>();
  // Not given out again, so that a late notification for a gone icon finds no other.
  static UINT next_id = 1;
  UINT id = next_id;
  while (id == 0 || shared->icons_.count(id)) ++id;
  next_id = id + 1;
  shared->icons_[id] = icon;
  return id;
}

void TTrayIconHandler::ReleaseIconWindow(UINT id) {
  auto& shared = Shared();
  if (!shared) return;
  shared->icons_.erase(id);
  // The window cannot go while its own procedure runs.
  if (shared->icons_.empty() && shared->dispatching_ == 0) shared.reset();
}

uint32_t TTrayIconHandler::RefCount() {
  return Shared() ? static_cast<uint32_t>(Shared()->icons_.size()) : 0;
}

HWND TTrayIconHandler::Window() {
  return Shared() ? Shared()->window_.Handle() : nullptr;
}

bool TTrayIconHandler::TrayWindowProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  switch (message) {
    case kTrayCallbackMessage: {
      result = 0;
      auto found = icons_.find(static_cast<UINT>(wparam));
      if (found == icons_.end()) return true;
      TTrayIcon* icon = found->second;
      const std::shared_ptr<bool> alive = icon->alive_;
      ++dispatching_;
      try {
        icon->TrayMessage(static_cast<UINT>(lparam));
      } catch (...) {
        ReportToApplicationErrorRoute(*alive ? icon : nullptr);
      }
      --dispatching_;
      return true;
    }
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_ENDSESSION:
    case WM_NCDESTROY:
      result = 1;
      return true;
  }
  return false;
}

// --- the component ------------------------------------------------------------------------------

TTrayIcon::TTrayIcon(TComponent* owner)
    : TComponent(owner),
      cycle_timer_(1000, [this](TObject*) { CycleTimerFired(); }),
      click_timer_(1000, [this](TObject*) { ClickTimerFired(); }),
      exit_timer_(20, [this](TObject*) { ExitTimerFired(); }) {
  icon_id_ = TTrayIconHandler::AcquireIconWindow(this);
  notify_data_.cbSize = sizeof notify_data_;
  notify_data_.hWnd = TTrayIconHandler::Window();
  notify_data_.uID = icon_id_;
  notify_data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  notify_data_.uCallbackMessage = kTrayCallbackMessage;
  if (Application) {
    hook_id_ = Application->HookMainWindow([this](UINT message, WPARAM wparam, LPARAM, LRESULT&) {
      return ApplicationHook(message, wparam);
    });
  }
  ReplaceOwnerProc();
}

TTrayIcon::~TTrayIcon() {
  *alive_ = false;
  SetIconVisible(false);
  if (Application && hook_id_) Application->UnhookMainWindow(hook_id_);
  owner_proc_.reset();
  if (icon_list_) icon_list_->RemoveFreeNotification(this);
  if (popup_menu_) popup_menu_->RemoveFreeNotification(this);
  TTrayIconHandler::ReleaseIconWindow(icon_id_);
}

void TTrayIcon::Loaded() {
  TComponent::Loaded();
  if (OwnerWindow() && OnStartup) {
    bool show_main_form = true;
    OnStartup(this, show_main_form);
    if (!show_main_form) {
      if (Application) Application->SetShowMainForm(false);
      HideMainWindow();
    }
  }
  UpdateTrayIcon();
  SetIconVisible(icon_visible_);
  SetCycleIcons(cycle_icons_);
  SetWantEnterExitEvents(want_enter_exit_);
  // Version 0: the shell's classic notifications, the mouse message in lParam.
  notify_data_.uVersion = 0;
  Send(NIM_SETVERSION);
}

void TTrayIcon::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation != TOperation::opRemove) return;
  if (AComponent == icon_list_) {
    icon_list_ = nullptr;
    SetIconIndex(0);
  }
  if (AComponent == popup_menu_) popup_menu_ = nullptr;
}

// --- properties ---------------------------------------------------------------------------------

void TTrayIcon::SetIconList(TImageList* list) {
  if (icon_list_) icon_list_->RemoveFreeNotification(this);
  icon_list_ = list;
  if (list) {
    list->FreeNotification(this,
                           [this](TComponent* gone) { Notification(gone, TOperation::opRemove); });
  }
  SetIconIndex(0);
}

void TTrayIcon::SetPopupMenu(TPopupMenu* menu) {
  if (popup_menu_) popup_menu_->RemoveFreeNotification(this);
  popup_menu_ = menu;
  if (menu) {
    menu->FreeNotification(this,
                           [this](TComponent* gone) { Notification(gone, TOperation::opRemove); });
  }
}

void TTrayIcon::SetCycleIcons(bool cycle) {
  cycle_icons_ = cycle;
  if (cycle) {
    SetIconIndex(0);
    cycle_timer_.SetInterval(static_cast<int32_t>(cycle_interval_));
    cycle_timer_.SetEnabled(true);
  } else {
    cycle_timer_.SetEnabled(false);
  }
}

void TTrayIcon::SetCycleInterval(uint32_t interval) {
  cycle_interval_ = interval;
  SetCycleIcons(cycle_icons_);
}

void TTrayIcon::SetHint(const std::string& hint) {
  hint_ = hint;
  UpdateTrayIcon();
}

void TTrayIcon::SetShowHint(bool show) {
  show_hint_ = show;
  UpdateTrayIcon();
}

void TTrayIcon::SetIcon(const TPicture& icon) {
  // A copy made here is no change of the shown image by itself: one request follows.
  icon_.Assign(icon);
  UpdateTrayIcon();
}

void TTrayIcon::SetIconVisible(bool visible) {
  if (visible) {
    AddTrayIcon();
  } else {
    RemoveTrayIcon();
  }
}

void TTrayIcon::SetIconIndex(int32_t index) {
  // With an empty list there is no image to lower the index to: it becomes 0 as without one.
  if (icon_list_ && icon_list_->Count() > 0) {
    icon_index_ = std::min(index, icon_list_->Count() - 1);
    ShowListImage(icon_index_);
  } else {
    icon_index_ = 0;
  }
  UpdateTrayIcon();
}

void TTrayIcon::SetWantEnterExitEvents(bool want) {
  want_enter_exit_ = want;
  exit_timer_.SetEnabled(want);
}

void TTrayIcon::ShowListImage(int32_t index) {
  if (!icon_list_ || index < 0 || index >= icon_list_->Count()) return;
  icon_ = icon_list_->GetIcon(index);
  IconChanged();
}

void TTrayIcon::IconChanged() {
  UpdateTrayIcon();
}

// --- the shell ----------------------------------------------------------------------------------

bool TTrayIcon::AddTrayIcon() {
  icon_visible_ = true;
  FillNotifyData();
  return Send(NIM_ADD);
}

bool TTrayIcon::RemoveTrayIcon() {
  icon_visible_ = false;
  FillNotifyData();
  return Send(NIM_DELETE);
}

bool TTrayIcon::UpdateTrayIcon() {
  FillNotifyData();
  return Send(NIM_MODIFY);
}

void TTrayIcon::FillNotifyData() {
  const auto* icon =
      icon_.Holds(TGraphicKind::Icon) ? static_cast<TIcon*>(icon_.Graphic()) : nullptr;
  notify_data_.hIcon = icon ? icon->Handle() : nullptr;
  std::memset(notify_data_.szTip, 0, sizeof notify_data_.szTip);
  if (!hint_.empty() && show_hint_) {
    std::memcpy(notify_data_.szTip, hint_.data(),
                std::min(hint_.size(), sizeof notify_data_.szTip - 1));
  }
}

bool TTrayIcon::Send(DWORD message) {
  const TrayNotifier& notifier = CurrentNotifier();
  return notifier ? notifier(message, notify_data_) : SystemTrayNotify(message, notify_data_);
}

// --- timers -------------------------------------------------------------------------------------

void TTrayIcon::ClickTimerFired() {
  click_timer_.SetEnabled(false);
  if (!dbl_click_seen_ && click_pending_) {
    click_pending_ = false;
    const std::shared_ptr<bool> alive = alive_;
    Click();
    if (!*alive) return;
  }
  dbl_click_seen_ = false;
}

void TTrayIcon::ExitTimerFired() {
  POINT at;
  if (mouse_outside_ || !GetCursorPos(&at)) return;
  // The shell says nothing when the pointer leaves the icon: any other place counts as leaving.
  if (at.x != last_move_pos_.x || at.y != last_move_pos_.y) {
    mouse_outside_ = true;
    MouseExit();
  }
}

void TTrayIcon::CycleTimerFired() {
  if (!icon_list_) return;
  ShowListImage(icon_index_);
  Cycle();
}

void TTrayIcon::Cycle() {
  const int32_t next = icon_list_ && icon_index_ < icon_list_->Count() - 1 ? icon_index_ + 1 : 0;
  const std::shared_ptr<bool> alive = alive_;
  Fire(OnCycle, this, next);
  if (*alive) SetIconIndex(next);
}
