#include "core/Format.h"

#include <gtest/gtest.h>

namespace {

TEST(Format, FillsPlaceholdersInOrder) {
  EXPECT_EQ(Format("Cannot create file %s", {"C:\\a b.txt"}), "Cannot create file C:\\a b.txt");
  EXPECT_EQ(Format("Socket Error # %d\r\n%s", {int64_t{10061}, "Connection refused."}),
            "Socket Error # 10061\r\nConnection refused.");
  EXPECT_EQ(
      Format("Windows socket error: %s (%d), on API '%s'", {"", int64_t{11001}, "ASync Lookup"}),
      "Windows socket error:  (11001), on API 'ASync Lookup'");
  EXPECT_EQ(Format("100%% %d", {int64_t{-5}}), "100% -5");
  EXPECT_EQ(Format("Not connected.", {"ignored"}), "Not connected.");
  EXPECT_EQ(Format("%s and %s", {"one"}), "one and ");
  EXPECT_EQ(Format("50%", {}), "50%");
  EXPECT_EQ(Format("%x", {}), "%x");
}

}  // namespace
