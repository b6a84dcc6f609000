// The single-instance guard within one process: a second guard of the same title finds the
// first one's mutex. Two real copies of the program are tested end to end.
#include <gtest/gtest.h>

#include "shell/OneProgram.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"

namespace {

std::string UniqueTitle(const char* what) {
  return std::string("zirk-guard-") + what + "-" + std::to_string(GetCurrentProcessId());
}

// Runs a guard's check as the loading of its window would.
void Check(TOneProgram& guard) {
  guard.BeginLoading();
  guard.EndLoading();
}

TEST(OneProgram, TheFirstCopyHoldsTheMutexAndGoesOn) {
  TApplication app;
  app.SetTitle(UniqueTitle("first"));
  TOneProgram guard(&app);
  EXPECT_TRUE(guard.SwitchToPrevious);
  int raised = 0;
  guard.AlreadyExist = [&](TObject*) { ++raised; };
  Check(guard);
  EXPECT_TRUE(guard.GuardLoaded());
  EXPECT_NE(guard.MutexHandle(), nullptr);
  EXPECT_EQ(raised, 0);
  EXPECT_TRUE(app.ShowMainForm());
  MSG message;
  EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST(OneProgram, ASecondCopyRaisesHidesItsWindowAndEnds) {
  TApplication app;
  const std::string title = UniqueTitle("second");
  app.SetTitle(title);
  TOneProgram first(&app);
  Check(first);
  TOneProgram second(&app);
  TObject* sender = nullptr;
  second.AlreadyExist = [&](TObject* s) { sender = s; };
  Check(second);
  EXPECT_EQ(sender, &second);
  EXPECT_TRUE(second.GuardLoaded());
  EXPECT_FALSE(app.ShowMainForm());
  // The application window's text was emptied so that the search finds the other copy's.
  EXPECT_EQ(GetWindowTextLengthW(app.Handle()), 0);
  MSG message;
  EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(OneProgram, WithoutSwitchingTheApplicationWindowKeepsItsText) {
  TApplication app;
  const std::string title = UniqueTitle("noswitch");
  app.SetTitle(title);
  TOneProgram first(&app);
  Check(first);
  TOneProgram second(&app);
  second.SwitchToPrevious = false;
  Check(second);
  EXPECT_EQ(GetWindowTextLengthW(app.Handle()), static_cast<int>(title.size()));
  EXPECT_FALSE(app.ShowMainForm());
  MSG message;
  PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST(OneProgram, AMutexThatCannotBeMadeCountsAsAnotherCopy) {
  TApplication app;
  const std::string title = UniqueTitle("event");
  app.SetTitle(title);
  // An event of that name makes CreateMutex fail.
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, title.c_str());
  ASSERT_NE(event, nullptr);
  TOneProgram guard(&app);
  int raised = 0;
  guard.AlreadyExist = [&](TObject*) { ++raised; };
  Check(guard);
  EXPECT_EQ(guard.MutexHandle(), nullptr);
  EXPECT_EQ(raised, 1);
  EXPECT_FALSE(app.ShowMainForm());
  CloseHandle(event);
  MSG message;
  PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST(OneProgram, ALongTitleIsCutTo256Bytes) {
  TApplication app;
  const std::string title = UniqueTitle("long") + std::string(300, 'x');
  app.SetTitle(title);
  HANDLE held = CreateMutexA(nullptr, FALSE, title.substr(0, 256).c_str());
  TOneProgram guard(&app);
  Check(guard);
  EXPECT_FALSE(app.ShowMainForm());
  CloseHandle(held);
  MSG message;
  PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

}  // namespace
