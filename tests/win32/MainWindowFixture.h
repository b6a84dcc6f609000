// The main window created in-process for a test, with a settings folder and an application
// title of its own, and what its tests do often: connect, read the transcript.
#pragma once

#include <gtest/gtest.h>

#include "core/Cp1251.h"
#include "fakes/FakeUserFolders.h"
#include "shell/ShellTexts.h"
#include "shell/Unit1.h"
#include "support/TempDir.h"
#include "win32/UiTestSupport.h"

inline HWND KeyTarget(TWinControl& control) {
  return KeyTarget(control.Handle());
}

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    folders.registry_app_data = dir.Path();
    // A title of this process's own: the single-instance guard of a window in another test
    // process must not find it.
    app.SetTitle(title);
  }

  TForm1& Create() {
    form = app.CreateForm<TForm1>(&app, &folders);
    form->Show();
    PumpPending();
    return *form;
  }

  std::string Text() { return form->TheTranscript().Text().ToString(); }

  bool WaitText(const std::string& part) {
    return PumpUntil([&] { return Text().find(part) != std::string::npos; });
  }

  void ExpectIdle() {
    EXPECT_TRUE(form->ConB.Enabled());
    EXPECT_FALSE(form->DConB.Enabled());
    EXPECT_FALSE(form->SendB.Enabled());
    EXPECT_TRUE(form->SrvBox.Enabled());
    EXPECT_TRUE(form->ADRL.Enabled());
    EXPECT_TRUE(form->PortED.Enabled());
    EXPECT_EQ(form->SL1.Caption(), cp1251::FromUtf8("Нет соединения"));
    EXPECT_EQ(form->SL2.Caption(), "");
  }

  void ExpectConnectedControls() {
    EXPECT_FALSE(form->ConB.Enabled());
    EXPECT_TRUE(form->DConB.Enabled());
    EXPECT_TRUE(form->SendB.Enabled());
    EXPECT_FALSE(form->SrvBox.Enabled());
    EXPECT_FALSE(form->ADRL.Enabled());
    EXPECT_FALSE(form->PortED.Enabled());
  }

  void ExpectConnected() {
    ExpectConnectedControls();
    EXPECT_EQ(GetFocus(), KeyTarget(form->MSG));
  }

  void ConnectTo(uint16_t port, int transport) {
    form->ADRL.SetText("127.0.0.1");
    form->PortED.SetValue(port);
    form->SrvBox.SetItemIndex(transport);
    PressKey(KeyTarget(form->ADRL), VK_RETURN);
  }

  const std::string title =
      shell_texts::kApplicationTitle + "-" + std::to_string(GetCurrentProcessId());
  TempDir dir;
  FakeUserFolders folders;
  TApplication app;
  TForm1* form = nullptr;
};
