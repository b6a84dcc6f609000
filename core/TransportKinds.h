// The transports a connection can use, one row each, in the order the transport list offers
// them: a row's index is its TransportKind. The window fills its transport list from the rows'
// names, and the controller and the outgoing pipeline choose a transport by the row's style, so
// the list and the kinds cannot drift apart.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Texts.h"

// How a transport is driven: the blocking line client, or the event-driven client.
enum class TransportStyle { Line, Event };

struct TransportKindRow {
  TransportStyle style;
  const std::string& name;  // the list entry and the kind label while connected
};

inline constexpr std::array<TransportKindRow, 2> kTransportKinds{{
    {TransportStyle::Line, texts::kLineTransportName},
    {TransportStyle::Event, texts::kEventTransportName},
}};

// The kind of a style: the index of its row.
constexpr int32_t KindOf(TransportStyle style) {
  for (size_t kind = 0; kind < kTransportKinds.size(); ++kind) {
    if (kTransportKinds[kind].style == style) return static_cast<int32_t>(kind);
  }
  return -1;
}

// The row of a kind, or null for a kind that names none (no selection, or none after a
// disconnect).
const TransportKindRow* TransportKindRowOf(int32_t kind);
// The rows' names, in kind order.
std::vector<std::string> TransportKindNames();
