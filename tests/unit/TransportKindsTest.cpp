// The transports' table: the transport list's order is the order of the kinds, and the poll's
// period.
#include "core/TransportKinds.h"

#include <gtest/gtest.h>

#include "core/ConnectionController.h"

namespace {

TEST(TransportKinds, TheListOrderIsTheKindOrder) {
  const struct {
    int32_t kind;
    TransportStyle style;
    std::string name;
  } rows[] = {
      {0, TransportStyle::Line, "TCP/IP Server"},
      {1, TransportStyle::Event, "Server Socket"},
  };
  ASSERT_EQ(kTransportKinds.size(), std::size(rows));
  for (const auto& row : rows) {
    const TransportKindRow* found = TransportKindRowOf(row.kind);
    ASSERT_NE(found, nullptr) << row.kind;
    EXPECT_EQ(found->style, row.style) << row.kind;
    EXPECT_EQ(found->name, row.name) << row.kind;
    EXPECT_EQ(KindOf(row.style), row.kind) << row.kind;
  }
  EXPECT_EQ(TransportKindNames(), (std::vector<std::string>{rows[0].name, rows[1].name}));
  for (int32_t none : {-1, 2, ConnectionController::kNoKind}) {
    EXPECT_EQ(TransportKindRowOf(none), nullptr) << none;
  }
  EXPECT_EQ(ConnectionController::kLineKind, 0);
  EXPECT_EQ(ConnectionController::kEventKind, 1);
  EXPECT_EQ(ConnectionController::kPollIntervalMs, 500u);
}

}  // namespace
