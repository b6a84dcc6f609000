// The notification-area icon's images: cycling through an image list, the index rules, and
// forgetting a list or menu that goes; the popup menu's calls.
#include <gtest/gtest.h>

#include "fakes/FakeTrayShell.h"
#include "shell/Skin.h"
#include "shell/TrayIcon.h"
#include "shell/framework/Application.h"
#include "win32/UiTestSupport.h"

namespace {

void Tick(const TTrayTimer& timer) {
  SendMessageW(TTrayTimerHandler::Window(), WM_TIMER, timer.Id(), 0);
}

int ShownSize(const TTrayIcon& icon) {
  return icon.Icon().Empty() ? 0 : icon.Icon().Graphic()->Width();
}

// Three images told apart by their sizes: 16, 32 and 48 pixels.
class TrayIconCycleTest : public ::testing::Test {
 protected:
  TrayIconCycleTest() {
    for (int size : {16, 32, 48}) list.Add(ProgramIcon(size));
  }

  TApplication app;
  FakeTrayShell shell;
  TImageList list{&app};
};

TEST_F(TrayIconCycleTest, TheIndexPicksAnImageOfTheListAndIsLoweredToTheLast) {
  TTrayIcon icon(&app);
  icon.SetIconIndex(2);
  EXPECT_EQ(icon.IconIndex(), 0);  // without a list
  icon.SetIconList(&list);
  EXPECT_EQ(icon.IconIndex(), 0);
  EXPECT_EQ(ShownSize(icon), 16);
  shell.requests.clear();
  icon.SetIconIndex(1);
  EXPECT_EQ(ShownSize(icon), 32);
  // The image's change and the index each refresh the icon.
  EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_MODIFY, NIM_MODIFY}));
  EXPECT_EQ(shell.Last().data.hIcon, static_cast<TIcon*>(icon.Icon().Graphic())->Handle());
  icon.SetIconIndex(7);
  EXPECT_EQ(icon.IconIndex(), 2);
  EXPECT_EQ(ShownSize(icon), 48);
}

TEST_F(TrayIconCycleTest, CyclingShowsTheImagesInTurnAndWraps) {
  TTrayIcon icon(&app);
  std::vector<int32_t> announced;
  icon.OnCycle = [&](TObject* sender, int32_t next) {
    EXPECT_EQ(sender, &icon);
    announced.push_back(next);
  };
  icon.SetIconList(&list);
  icon.SetIconIndex(2);
  icon.SetCycleInterval(250);
  icon.SetCycleIcons(true);
  EXPECT_EQ(icon.IconIndex(), 0);
  EXPECT_TRUE(icon.CycleTimer().Enabled());
  EXPECT_EQ(icon.CycleTimer().Interval(), 250);
  std::vector<int> shown;
  for (int i = 0; i < 4; ++i) {
    Tick(icon.CycleTimer());
    shown.push_back(ShownSize(icon));
  }
  EXPECT_EQ(announced, (std::vector<int32_t>{1, 2, 0, 1}));
  EXPECT_EQ(shown, (std::vector<int>{32, 48, 16, 32}));
  // And with the platform's timer.
  icon.SetCycleInterval(10);
  EXPECT_TRUE(PumpUntil([&] { return announced.size() >= 7; }));

  icon.SetCycleIcons(false);
  EXPECT_FALSE(icon.CycleTimer().Enabled());
}

TEST_F(TrayIconCycleTest, WithIntervalZeroNothingCycles) {
  TTrayIcon icon(&app);
  icon.SetIconList(&list);
  icon.SetCycleIcons(true);
  EXPECT_FALSE(icon.CycleTimer().Enabled());
  EXPECT_EQ(ShownSize(icon), 16);
  // Without a list a tick changes nothing.
  TTrayIcon bare(&app);
  int cycles = 0;
  bare.OnCycle = [&](TObject*, int32_t) { ++cycles; };
  Tick(bare.CycleTimer());
  EXPECT_EQ(cycles, 0);
}

TEST_F(TrayIconCycleTest, AnImageListThatGoesIsForgotten) {
  TTrayIcon icon(&app);
  {
    TImageList passing(&app);
    passing.Add(ProgramIcon(16));
    passing.Add(ProgramIcon(32));
    icon.SetIconList(&passing);
    icon.SetIconIndex(1);
  }
  EXPECT_EQ(icon.IconList(), nullptr);
  EXPECT_EQ(icon.IconIndex(), 0);
  // A list replaced by another no longer tells the icon anything.
  {
    TImageList replaced(&app);
    icon.SetIconList(&replaced);
    icon.SetIconList(&list);
  }
  EXPECT_EQ(icon.IconList(), &list);
}

// A menu that records what the icon asks of it.
class FakePopupMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  bool auto_popup = true;
  std::vector<std::string> calls;
  TComponent* popup_component = nullptr;

  bool AutoPopup() const override { return auto_popup; }
  bool ClickDefaultItem() override {
    calls.push_back("default item");
    return true;
  }
  void SetPopupComponent(TComponent* component) override { popup_component = component; }
  void Popup(int x, int y) override {
    POINT at;
    GetCursorPos(&at);
    calls.push_back(x == at.x && y == at.y ? "popup at the pointer" : "popup elsewhere");
  }
};

TEST_F(TrayIconCycleTest, ThePopupMenuShowsOnTheRightButtonAndGivesItsDefaultOnDoubleClick) {
  TTrayIcon icon(&app);
  FakePopupMenu menu(&app);
  icon.SetPopupMenu(&menu);
  const auto notify = [&](UINT message) {
    SendMessageW(TTrayIconHandler::Window(), kTrayCallbackMessage, icon.IconId(), message);
  };
  notify(WM_RBUTTONDOWN);
  notify(WM_LBUTTONDOWN);
  notify(WM_LBUTTONDBLCLK);
  EXPECT_EQ(menu.calls, (std::vector<std::string>{"popup at the pointer", "default item"}));
  EXPECT_EQ(menu.popup_component, &icon);

  menu.calls.clear();
  icon.SetLeftPopup(true);
  notify(WM_LBUTTONDOWN);
  notify(WM_LBUTTONDBLCLK);
  EXPECT_EQ(menu.calls, std::vector<std::string>{"popup at the pointer"});

  menu.calls.clear();
  menu.auto_popup = false;
  notify(WM_RBUTTONDOWN);
  notify(WM_LBUTTONDOWN);
  EXPECT_TRUE(menu.calls.empty());
}

TEST_F(TrayIconCycleTest, APopupMenuThatGoesIsForgotten) {
  TTrayIcon icon(&app);
  {
    FakePopupMenu menu(&app);
    icon.SetPopupMenu(&menu);
  }
  EXPECT_EQ(icon.PopupMenu(), nullptr);
  SendMessageW(TTrayIconHandler::Window(), kTrayCallbackMessage, icon.IconId(), WM_RBUTTONDOWN);
}

}  // namespace
