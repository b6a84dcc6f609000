#include "shell/logic/PointerTracker.h"

#include <gtest/gtest.h>

namespace {

struct Control {};

TEST(PointerTracker, EnteringAndLeavingFollowThePointer) {
  PointerTracker<Control> tracker;
  Control a, b;
  auto change = tracker.Update(&a, nullptr);
  EXPECT_EQ(change.left, nullptr);
  EXPECT_EQ(change.entered, &a);
  change = tracker.Update(&a, nullptr);
  EXPECT_EQ(change.left, nullptr);
  EXPECT_EQ(change.entered, nullptr);
  change = tracker.Update(&b, nullptr);
  EXPECT_EQ(change.left, &a);
  EXPECT_EQ(change.entered, &b);
  change = tracker.Update(nullptr, nullptr);
  EXPECT_EQ(change.left, &b);
  EXPECT_EQ(change.entered, nullptr);
}

TEST(PointerTracker, WhileCapturedOnlyTheCapturingControlHears) {
  PointerTracker<Control> tracker;
  Control button, other;
  tracker.Update(&button, nullptr);
  auto change = tracker.Update(&other, &button);  // dragged off onto another control
  EXPECT_EQ(change.left, &button);
  EXPECT_EQ(change.entered, nullptr);
  change = tracker.Update(&other, &button);
  EXPECT_EQ(change.entered, nullptr);
  change = tracker.Update(&button, &button);  // back in
  EXPECT_EQ(change.left, nullptr);
  EXPECT_EQ(change.entered, &button);
  tracker.Update(nullptr, &button);
  change = tracker.Update(&other, nullptr);  // released over the other control
  EXPECT_EQ(change.left, nullptr);
  EXPECT_EQ(change.entered, &other);
}

TEST(PointerTracker, AForgottenControlHearsNothingMore) {
  PointerTracker<Control> tracker;
  Control a;
  tracker.Update(&a, nullptr);
  tracker.Forget(&a);
  EXPECT_EQ(tracker.Current(), nullptr);
  auto change = tracker.Update(nullptr, nullptr);
  EXPECT_EQ(change.left, nullptr);
}

}  // namespace
