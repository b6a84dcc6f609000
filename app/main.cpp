// The entry point: the start-up sequence, the event loop, and shut-down through the windows'
// destruction handlers.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "shell/AboutF.h"
#include "shell/ShellTexts.h"
#include "shell/Unit1.h"
#include "shell/framework/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS |
                                                     ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  TApplication application;
  application.SetTitle(shell_texts::kApplicationTitle);
  Form1 = application.CreateForm<TForm1>();
  AboutBox = application.CreateForm<TAboutBox>();
  Form1->AboutBox = AboutBox;
  application.Run();
  application.DestroyForms();
  return 0;
}
