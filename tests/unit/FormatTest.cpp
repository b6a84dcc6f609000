#include "core/Format.h"

#include <gtest/gtest.h>

namespace {

TEST(Format, FillsPlaceholdersInOrder) {
  EXPECT_EQ(Format("Cannot create file %s", {"C:\\a b.txt"}), "Cannot create file C:\\a b.txt");
  EXPECT_EQ(Format("Code # %d\r\n%s", {int64_t{10061}, "refused."}), "Code # 10061\r\nrefused.");
  EXPECT_EQ(Format("Failed: %s (%d), in '%s'", {"", int64_t{11001}, "look-up"}),
            "Failed:  (11001), in 'look-up'");
  EXPECT_EQ(Format("100%% %d", {int64_t{-5}}), "100% -5");
  EXPECT_EQ(Format("Idle.", {"ignored"}), "Idle.");
  EXPECT_EQ(Format("%s and %s", {"one"}), "one and ");
  EXPECT_EQ(Format("50%", {}), "50%");
  EXPECT_EQ(Format("%x", {}), "%x");
}

}  // namespace
