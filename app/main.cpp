// The entry point: the start-up sequence, the event loop, and shut-down through the windows'
// destruction handlers.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "shell/AboutF.h"
#include "shell/ShellTexts.h"
#include "shell/StartupTimeline.h"
#include "shell/Unit1.h"
#include "shell/framework/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  MarkStartup(StartupStep::EntryPoint);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS |
                                                     ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  MarkStartup(StartupStep::CommonControls);

  TApplication application;
  application.SetTitle(shell_texts::kApplicationTitle);
  application.OnIdle = [](TObject*) { MarkStartup(StartupStep::Painted); };
  MarkStartup(StartupStep::Application);
  Form1 = application.CreateForm<TForm1>();
  MarkStartup(StartupStep::Settings);
  AboutBox = application.CreateForm<TAboutBox>();
  Form1->AboutBox = AboutBox;
  MarkStartup(StartupStep::AboutBox);
  application.Run();
  application.DestroyForms();
  return 0;
}
