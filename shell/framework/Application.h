// The application object, one per process: the hidden application window (its text is the
// title, it carries the taskbar button and owns every form), the forms and the main form, the
// event loop with its idle processing, the hook chain on the application window's messages, and
// the error display. The global Application points at it while it exists.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Component.h"
#include "core/Errors.h"
#include "platform/win32/WindowHost.h"
#include "shell/framework/WindowIcons.h"
#include "shell/logic/PointerTracker.h"

class TForm;
class TGraphicControl;

class TApplication : public TComponent {
 public:
  // Sees a message of the application window before the application does; returning true
  // reports it handled (with result), and it goes no further.
  using MessageHook =
      std::function<bool(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result)>;
  using TExceptionEvent = std::function<void(TObject* Sender, const Exception& E)>;

  // Creates the hidden application window and sets the application error route unless one is
  // set already.
  TApplication();
  // Destroys the forms, then the window; clears the error route if it is still this object's.
  ~TApplication() override;

  HWND Handle() const { return window_.Handle(); }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);
  // The application window's icons, which the taskbar button and Alt+Tab show.
  void SetIcons(const TPicture& large, const TPicture& small) {
    icons_.Set(Handle(), large, small);
  }
  TForm* MainForm() const { return main_form_; }
  // Whether Run shows the main form first.
  bool ShowMainForm() const { return show_main_form_; }
  void SetShowMainForm(bool show) { show_main_form_ = show; }
  // Set once the event loop has taken the quit message that Terminate posted.
  bool Terminated() const { return terminated_; }

  // Creates a form that the application owns; the first one becomes the main form. The form's
  // OnCreate runs before this returns.
  template <typename Form, typename... Args>
  Form* CreateForm(Args&&... args) {
    auto form = std::make_unique<Form>(std::forward<Args>(args)...);
    Form* created = form.get();
    AdoptForm(std::move(form));
    return created;
  }
  // Destroys the forms, the last created first, each after its OnDestroy.
  void DestroyForms();

  // Shows the main form (if ShowMainForm) and handles messages until terminated.
  void Run();
  // Takes and dispatches one message, or runs the idle processing and waits for one. A failure
  // while the message is handled is reported and ends only that message's handling. Waiting
  // keyboard and mouse input is taken before posted messages, and a queue that has not run
  // empty for kMostBusyMs gets the idle processing before its next message anyway.
  void HandleMessage();
  static constexpr ULONGLONG kMostBusyMs = 100;
  // Handles the messages queued when it is called, then the paints and timer ticks due, and
  // returns; messages posted meanwhile wait for the loop. Failures travel to the caller.
  void ProcessMessages();
  // Posts the quit message: the loop ends after the message being handled.
  void Terminate();
  // Minimises to the taskbar (the forms hide with the application window) and back.
  void Minimize();
  void Restore();

  // Runs each time the message queue has gone empty, before the loop waits for the next message:
  // every window has been painted by then.
  TNotifyEvent OnIdle;

  int HookMainWindow(MessageHook hook);
  void UnhookMainWindow(int id);

  // Called from inside a catch block: cancels any pointer capture, then shows the error being
  // handled (EAbort: nothing; ExceptionHook when set; otherwise the error box).
  void ReportException(TObject* sender);
  TExceptionEvent ExceptionHook;
  // The error box: the message with the period rule, titled with the application window's text.
  void ShowErrorBox(const Exception& error);
  // The modal box routine: other windows disabled meanwhile, the previous window active after.
  int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);

  // The size of the application's own icon.
  SIZE IconSize() const;

  // For the framework: the taskbar button follows whether any form is visible.
  void UpdateTaskbarButton();
  // For the framework: a windowless control going away is no longer tracked.
  void ControlGone(TGraphicControl* control) { pointer_.Forget(control); }

 private:
  void AdoptForm(std::unique_ptr<TForm> form);
  static bool TakeMessage(MSG& message);
  void Idle();
  void TrackPointer();
  std::string WindowTitle() const;
  bool WindowProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

  std::string title_;
  std::vector<std::unique_ptr<TForm>> forms_;
  TForm* main_form_ = nullptr;
  bool show_main_form_ = true;
  bool terminated_ = false;
  bool forms_hidden_by_minimise_ = false;
  ULONGLONG last_idle_ = 0;
  // ProcessMessages posts a numbered mark behind what is queued; the mark's handling notes it.
  WPARAM marks_posted_ = 0;
  WPARAM marks_seen_ = 0;
  struct Hook {
    int id;
    MessageHook hook;
  };
  std::vector<Hook> hooks_;
  int next_hook_id_ = 1;
  PointerTracker<TGraphicControl> pointer_;
  // Before the window, so that they outlive it.
  WindowIcons icons_;
  // Last: its messages use everything above from the window's creation on.
  HostedWindow window_;
};

extern TApplication* Application;

// Reports the exception being handled through the application, when there is one; for the catch
// points of forms and controls.
void ReportCaughtException(TObject* sender);
