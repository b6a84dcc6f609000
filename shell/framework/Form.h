// The borderless form: a top-level popup owned by the application window, with a colour and a
// font, a minimum size, controls that follow its size by their anchors, and create, show and
// destroy handlers whose failures are reported while the step carries on. Its window procedure
// is a catch point with the form as sender (also for its windowless controls).
//
// A derived form sets its client size before it places its controls: anchors work from the
// client size at the time a control's bounds are set.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/Component.h"
#include "platform/win32/WindowHost.h"
#include "shell/framework/Application.h"
#include "shell/framework/Graphics.h"
#include "shell/framework/WindowIcons.h"
#include "shell/logic/Mouse.h"

class TControl;
class TGraphicControl;
class TWinControl;

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;

inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

// The modifier keys held now, as a shift state.
TShiftState KeyboardShift();

class TForm : public TComponent {
 public:
  // Raises shell_texts::kCannotCreateWindow when the platform refuses the form's window.
  explicit TForm(TComponent* owner = Application);
  ~TForm() override;

  // The form of one of this process's form windows, or null.
  static TForm* FromHandle(HWND window);
  HWND Handle() const { return window_.Handle(); }

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  // The window's large and small icons (see WindowIcons).
  void SetIcons(const TPicture& large, const TPicture& small) {
    icons_.Set(Handle(), large, small);
  }

  // The window's place on the screen, as it is now (maximised included).
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  int ClientWidth() const;
  int ClientHeight() const;
  // Sizes below the minimum are raised to it.
  void SetBounds(int left, int top, int width, int height);
  void SetClientWidth(int width);
  void SetClientHeight(int height);
  // The smallest window size, for the user's resizing and for SetBounds; 0 means none.
  void SetMinSize(int width, int height);
  int MinWidth() const { return min_width_; }
  int MinHeight() const { return min_height_; }

  bool Visible() const { return visible_; }
  // Showing runs the show step (OnShow); asking for what the form already is does nothing.
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // What the window last became (a hidden form keeps what it will show as).
  TWindowState WindowState() const { return state_; }
  void SetWindowState(TWindowState state);
  // Whether this is the active window.
  bool Active() const { return Handle() && GetActiveWindow() == Handle(); }

  // Shows the form with every other window of the application disabled, handles messages until
  // ModalResult is set (Close sets mrCancel) or the application terminates, then hides it.
  int ShowModal();
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int result) { modal_result_ = result; }
  // A modal form ends its modality; the main form terminates the application; others hide.
  void Close();

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnDestroy;
  TKeyEvent OnKeyDown;

  // The create and destroy steps, run by whoever creates and destroys the form (the
  // application for its forms).
  void AfterConstruction();
  void BeforeDestruction();

  // Gives the focus to the next (or previous) tab stop after a control, in the order the form
  // holds its controls, round from the last to the first; text in an edit field that gets the
  // focus is selected. The focus stays where it is when no other control can take it.
  void SelectNext(TWinControl& from, bool forward);

  // Paints the background and the windowless controls of a client area onto a device context of
  // the window, through one off-screen bitmap.
  void PaintArea(HDC target, const RECT& area);

  // The topmost visible windowless control at a client position; disabled ones only if asked.
  TGraphicControl* ControlAt(POINT client, bool include_disabled) const;
  TGraphicControl* CaptureControl() const { return capture_control_; }

 protected:
  // Sees each message before the form's own handling; true reports it handled, with result.
  virtual bool WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    (void)message, (void)wparam, (void)lparam, (void)result;
    return false;
  }

 private:
  friend class TControl;
  friend class TGraphicControl;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void SetCaptureControl(TGraphicControl* control);
  void InvalidateAll();

  bool WindowProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
  void PaintControlsOn(HDC dc, const RECT& area);
  void FollowSize(int client_width, int client_height);
  void RouteMouse(UINT message, WPARAM wparam, LPARAM lparam);
  bool SetControlCursor();
  bool PassToChild(HWND child, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

  TColor color_ = clBtnFace;
  TFont font_;
  int min_width_ = 0;
  int min_height_ = 0;
  bool visible_ = false;
  TWindowState state_ = TWindowState::wsNormal;
  bool modal_ = false;
  int modal_result_ = mrNone;
  bool tracking_leave_ = false;
  std::vector<TControl*> controls_;
  TGraphicControl* capture_control_ = nullptr;
  // The child window that had the focus when the form was last deactivated; it gets the focus
  // back when the form does.
  HWND focused_child_ = nullptr;
  // Before the window, so that they outlive it.
  WindowIcons icons_;
  // Last: its messages use everything above from the window's creation on.
  HostedWindow window_;
};
