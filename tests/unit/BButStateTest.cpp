#include "shell/logic/BButState.h"

#include <gtest/gtest.h>

#include "core/Errors.h"
#include "fakes/FakeBButActions.h"

namespace {

using Calls = std::vector<std::string>;

class BButStateTest : public ::testing::Test {
 protected:
  // The calls since the last look, which are then forgotten.
  Calls Take() {
    Calls calls = log.calls;
    log.Clear();
    return calls;
  }
  void ExpectFlags(bool over, bool held, bool pressed, bool hover) {
    EXPECT_EQ(state.MouseOver(), over);
    EXPECT_EQ(state.Held(), held);
    EXPECT_EQ(state.Pressed(), pressed);
    EXPECT_EQ(state.HoverShown(), hover);
  }

  CallLog log;
  FakeBButActions actions{log};
  BButState state{actions};
};

const Calls kEnterHover{"Paint", "RepaintArea", "MouseEnter"};
const Calls kPress{"MouseDown 8 5 6", "Lowered", "Paint", "Press"};
const Calls kReleaseOver{"MouseUp 8 5 6", "Paint", "Raised", "ProcessMessages", "Click", "Release"};

TEST_F(BButStateTest, InPressReleaseOutGoesHighlightedPressedHighlightedUp) {
  ExpectFlags(false, false, false, false);
  state.PointerEntered();
  EXPECT_EQ(Take(), kEnterHover);
  ExpectFlags(true, false, false, true);
  state.LeftDown(ssLeft, 5, 6);
  EXPECT_EQ(Take(), kPress);
  ExpectFlags(true, true, true, true);
  state.LeftUp(ssLeft, 5, 6);
  EXPECT_EQ(Take(), kReleaseOver);
  ExpectFlags(true, false, false, true);
  state.PointerLeft();
  EXPECT_EQ(Take(), (Calls{"Paint", "RepaintArea", "MouseLeave"}));
  ExpectFlags(false, false, false, false);
}

TEST_F(BButStateTest, ReleaseOutsideFiresNoClick) {
  state.PointerEntered();
  state.LeftDown(ssLeft, 5, 6);
  Take();
  state.PointerLeft();
  EXPECT_EQ(Take(), (Calls{"Raised", "Paint", "RepaintArea", "MouseLeave"}));
  ExpectFlags(false, true, false, false);
  state.LeftUp(ssLeft, 50, 60);
  EXPECT_EQ(Take(), (Calls{"MouseUp 8 50 60", "Release"}));
  ExpectFlags(false, false, false, false);
}

TEST_F(BButStateTest, ComingBackWhileHeldPressesAgainAtTheOrigin) {
  state.PointerEntered();
  state.LeftDown(ssLeft, 5, 6);
  state.PointerLeft();
  Take();
  state.PointerEntered();
  EXPECT_EQ(Take(), (Calls{"Paint", "RepaintArea", "MouseDown 0 0 0", "Lowered", "Paint", "Press",
                           "MouseEnter"}));
  ExpectFlags(true, true, true, true);
  state.LeftUp(ssLeft, 5, 6);
  EXPECT_EQ(Take(), kReleaseOver);
}

TEST_F(BButStateTest, DoubleClickClicksTwiceWithDBClickBetween) {
  state.PointerEntered();
  Take();
  state.LeftDown(ssLeft, 5, 6);
  state.LeftUp(ssLeft, 5, 6);
  state.LeftDoubleClick();
  state.LeftUp(ssLeft, 5, 6);
  Calls expected = kPress;
  expected.insert(expected.end(), kReleaseOver.begin(), kReleaseOver.end());
  expected.insert(expected.end(), {"Change", "Invalidate", "DBClick"});
  expected.insert(expected.end(), kReleaseOver.begin(), kReleaseOver.end());
  EXPECT_EQ(Take(), expected);
  ExpectFlags(true, false, false, true);
}

TEST_F(BButStateTest, InactiveWindowShowsNoHoverButStillClicks) {
  actions.can_show_hover = false;
  state.PointerEntered();
  EXPECT_EQ(Take(), (Calls{"MouseEnter"}));
  ExpectFlags(true, false, false, false);
  state.LeftDown(ssLeft, 5, 6);
  state.LeftUp(ssLeft, 5, 6);
  EXPECT_EQ(Take().at(8), "Click");
  state.PointerLeft();
  EXPECT_EQ(Take(), (Calls{"MouseLeave"}));
}

TEST_F(BButStateTest, DisabledButtonKeepsItsFlags) {
  state.PointerEntered();
  Take();
  actions.enabled = false;
  state.PointerLeft();
  state.PointerEntered();
  EXPECT_TRUE(Take().empty());
  ExpectFlags(true, false, false, true);  // still highlighted
}

TEST_F(BButStateTest, EnabledUnderThePointerIgnoresAClickUntilItIsEnteredAgain) {
  actions.enabled = false;
  state.PointerEntered();  // ignored: the entry is not repeated on enabling
  actions.enabled = true;
  state.LeftDown(ssLeft, 5, 6);
  state.LeftUp(ssLeft, 5, 6);
  EXPECT_EQ(Take(), (Calls{"MouseDown 8 5 6", "Press", "MouseUp 8 5 6", "Release"}));
  state.PointerLeft();
  state.PointerEntered();
  Take();
  state.LeftDown(ssLeft, 5, 6);
  state.LeftUp(ssLeft, 5, 6);
  EXPECT_EQ(Take().at(8), "Click");
}

TEST_F(BButStateTest, ARaiseOutOfTheReleaseStillLeavesTheButtonUp) {
  // Raised by OnMouseUp, by a handler of a message processed before OnClick, or by OnClick:
  // the error goes on to be reported, and entering the button again presses nothing.
  const std::vector<std::pair<std::string, Calls>> raisers{
      {"MouseUp 8 5 6", {"MouseUp 8 5 6", "Raised"}},
      {"ProcessMessages", {"MouseUp 8 5 6", "Paint", "Raised", "ProcessMessages"}},
      {"Click", {"MouseUp 8 5 6", "Paint", "Raised", "ProcessMessages", "Click"}},
  };
  for (const auto& [raiser, calls] : raisers) {
    log.Clear();
    actions.raise_on = raiser;
    state.PointerEntered();
    state.LeftDown(ssLeft, 5, 6);
    Take();
    EXPECT_THROW(state.LeftUp(ssLeft, 5, 6), Exception) << raiser;
    EXPECT_EQ(Take(), calls) << raiser;
    EXPECT_FALSE(state.Held()) << raiser;
    EXPECT_FALSE(state.Pressed()) << raiser;
    actions.raise_on.clear();
    state.PointerLeft();
    state.PointerEntered();
    EXPECT_EQ(Take(),
              (Calls{"Paint", "RepaintArea", "MouseLeave", "Paint", "RepaintArea", "MouseEnter"}))
        << raiser;
    state.PointerLeft();
  }
}

TEST_F(BButStateTest, EmptyingPictEnEndsTheHoverLook) {
  state.PointerEntered();
  state.HoverPictureRemoved();
  ExpectFlags(true, false, false, false);
  Take();
  state.PointerLeft();
  EXPECT_EQ(Take(), (Calls{"MouseLeave"}));
}

}  // namespace
