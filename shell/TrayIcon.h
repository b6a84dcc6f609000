// TTrayIcon: one icon in the notification area. It turns the shell's mouse notifications for
// the icon into events, can hide the application's main window and bring it back, and can cycle
// through the images of a list. The shell reports on every icon of the process to one shared
// hidden window (TTrayIconHandler's), which finds the icon by its identifier: a number given out
// per process, since the shell's identifier has 32 bits and an address here has 64. A
// notification that names no live icon is dropped.
//
// The icon adopts its owner's window, when the owner has one (platform/win32/WindowHost.h), so
// that the owner comes to the foreground each time it is shown; and it hooks the application
// window's messages (minimising to the notification area, the taskbar's restart).
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/Component.h"
#include "platform/win32/UtilityWindow.h"
#include "platform/win32/WindowHost.h"
#include "shell/TrayTimer.h"
#include "shell/framework/Controls.h"
#include "shell/framework/ImageList.h"
#include "shell/framework/Picture.h"
#include "shell/framework/PopupMenu.h"

// The shell's NOTIFYICONDATAA in its Windows 2000 form: the record up to and including
// dwInfoFlags (488 bytes in a 32-bit program).
struct TNotifyIconDataA {
  DWORD cbSize;
  HWND hWnd;
  UINT uID;
  UINT uFlags;
  UINT uCallbackMessage;
  HICON hIcon;
  CHAR szTip[128];
  DWORD dwState;
  DWORD dwStateMask;
  CHAR szInfo[256];
  UINT uVersion;  // uTimeout of a balloon request
  CHAR szInfoTitle[64];
  DWORD dwInfoFlags;
};
static_assert(sizeof(TNotifyIconDataA) == NOTIFYICONDATAA_V2_SIZE);
static_assert(offsetof(TNotifyIconDataA, dwInfoFlags) == offsetof(NOTIFYICONDATAA, dwInfoFlags));
static_assert(sizeof(void*) != 8 || sizeof(TNotifyIconDataA) == 504);

// One request to the shell, as Shell_NotifyIcon takes it; true when the shell accepted it.
using TrayNotifier = std::function<bool(DWORD message, const TNotifyIconDataA& data)>;
// Replaces the notifier that every icon uses and returns the previous one; an empty notifier
// puts SystemTrayNotify back. Tests record the requests with it.
TrayNotifier SetTrayNotifier(TrayNotifier notifier);
// The system's notifier: Shell_NotifyIconW with the record made wide.
bool SystemTrayNotify(DWORD message, const TNotifyIconDataA& data);
// The record as NOTIFYICONDATAW in the same form, its texts converted from Windows-1251 by the
// program's own table, so that the tip reads right whatever the system's code page.
NOTIFYICONDATAW WideNotifyData(const TNotifyIconDataA& data);

// The message under which the shell reports activity on an icon.
inline constexpr UINT kTrayCallbackMessage = WM_USER + 0x400;
// Whether a common-controls library of this file version (its most significant word: major
// times 65536 plus minor) re-creates the taskbar with "TaskbarCreated": 4.71 or later.
inline constexpr bool TaskbarRestartSupported(DWORD version_ms) {
  return version_ms > 0x40046;
}
// The number of "TaskbarCreated", registered once; 0 when the library is older.
UINT TaskbarRestartMessage();

enum class TOperation { opInsert, opRemove };

using TCycleEvent = std::function<void(TObject* Sender, int32_t NextIndex)>;
using TStartupEvent = std::function<void(TObject* Sender, bool& ShowMainForm)>;

class TTrayIcon;

class TTrayIconHandler {
 public:
  // Creates the shared window when there is none and counts the icon; returns the icon's
  // identifier, which no other icon of the process has had (until 2^32 icons have been made).
  static UINT AcquireIconWindow(TTrayIcon* icon);
  // Forgets the icon; after the last one the window is destroyed (if a notification is being
  // handled at that moment it stays, for the next icon or until the process ends).
  static void ReleaseIconWindow(UINT id);
  // The number of live icons, and the shared window (null when there is none).
  static uint32_t RefCount();
  static HWND Window();

  TTrayIconHandler();

 private:
  bool TrayWindowProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

  std::map<UINT, TTrayIcon*> icons_;  // the reference count is its size
  int dispatching_ = 0;
  UtilityWindow window_;
};

class TTrayIcon : public TComponent {
 public:
  explicit TTrayIcon(TComponent* owner);
  ~TTrayIcon() override;

  // The published properties, in their stored order. Every setter acts at once, also while the
  // owner's stored properties are being read.
  TImageList* IconList() const { return icon_list_; }
  void SetIconList(TImageList* list);
  bool CycleIcons() const { return cycle_icons_; }
  void SetCycleIcons(bool cycle);
  uint32_t CycleInterval() const { return cycle_interval_; }
  void SetCycleInterval(uint32_t interval);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool show);
  const TPicture& Icon() const { return icon_; }
  // Copies the picture (an icon, or empty).
  void SetIcon(const TPicture& icon);
  // The last add or remove request made, not whether the shell took it.
  bool IconVisible() const { return icon_visible_; }
  void SetIconVisible(bool visible);
  int32_t IconIndex() const { return icon_index_; }
  void SetIconIndex(int32_t index);
  TPopupMenu* PopupMenu() const { return popup_menu_; }
  void SetPopupMenu(TPopupMenu* menu);
  bool LeftPopup() const { return left_popup_; }
  void SetLeftPopup(bool left_popup) { left_popup_ = left_popup; }
  bool WantEnterExitEvents() const { return want_enter_exit_; }
  void SetWantEnterExitEvents(bool want);
  bool MinimizeToTray() const { return minimize_to_tray_; }
  void SetMinimizeToTray(bool minimize) { minimize_to_tray_ = minimize; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TCycleEvent OnCycle;
  TStartupEvent OnStartup;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;
  TNotifyEvent OnMinimizeToTray;

  // The shell requests; each refreshes NotifyData first. The results are the shell's answers.
  virtual bool AddTrayIcon();
  virtual bool RemoveTrayIcon();
  virtual bool UpdateTrayIcon();

  // Shows the application's main window again (restoring the application from the taskbar
  // first) and brings the application to the foreground; hides it with its taskbar button.
  // Both act only when the owner has a window and the application a main window, and neither
  // touches IconVisible.
  void RestoreMainWindow();
  void HideMainWindow();
  void HideTaskbarButton();
  // Shows PopupMenu at the pointer, when it is set and pops up by itself.
  void PopupAtCursor();

  // Another component goes: an image list or popup menu that is going is forgotten.
  void Notification(TComponent* AComponent, TOperation Operation);

  UINT IconId() const { return icon_id_; }
  const TNotifyIconDataA& NotifyData() const { return notify_data_; }
  const TTrayTimer& CycleTimer() const { return cycle_timer_; }
  const TTrayTimer& ClickTimer() const { return click_timer_; }
  const TTrayTimer& ExitTimer() const { return exit_timer_; }

 protected:
  void Loaded() override;

  // The event raisers. Each but Cycle and HideToTray only raises its event.
  virtual void Click();
  virtual void DblClick();
  // Raises OnCycle with the index that comes next, then shows that image.
  virtual void Cycle();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseEnter();
  virtual void MouseExit();
  // Hides the main window and shows the icon.
  virtual void HideToTray();

 private:
  friend class TTrayIconHandler;

  HWND OwnerWindow() const;
  void FillNotifyData();
  // Hands NotifyData to the shell as it is.
  bool Send(DWORD message);
  void IconChanged();
  void ShowListImage(int32_t index);
  void Forget(TComponent* component);

  // The shell's report of a mouse message over the icon.
  void TrayMessage(UINT mouse_message);
  void LeftButtonUp(TShiftState keys, POINT at);
  void CycleTimerFired();
  void ClickTimerFired();
  void ExitTimerFired();
  bool ApplicationHook(UINT message, WPARAM wparam);
  // The owner window's messages, before its own procedure; true when one is taken.
  bool OwnerWindowProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
  bool MinimiseRoute();
  void ReplaceOwnerProc();

  bool enabled_ = true;
  TPicture icon_;
  UINT icon_id_ = 0;
  bool icon_visible_ = false;
  std::string hint_;
  bool show_hint_ = true;
  TPopupMenu* popup_menu_ = nullptr;
  bool left_popup_ = false;
  bool minimize_to_tray_ = false;
  bool left_down_ = false;
  bool click_pending_ = false;
  TTrayTimer cycle_timer_;
  TTrayTimer click_timer_;
  TTrayTimer exit_timer_;
  POINT last_move_pos_{};
  bool mouse_outside_ = true;
  bool want_enter_exit_ = false;
  bool dbl_click_seen_ = false;
  int32_t icon_index_ = 0;
  TImageList* icon_list_ = nullptr;
  bool cycle_icons_ = false;
  uint32_t cycle_interval_ = 0;
  // OwnerWindowProc in front of the owner window's own procedure, while the icon lives.
  std::unique_ptr<AdoptedWindow> owner_proc_;
  TNotifyIconDataA notify_data_{};
  int hook_id_ = 0;
  // Cleared when the icon is destroyed, for handlers that run its events and go on after them.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
