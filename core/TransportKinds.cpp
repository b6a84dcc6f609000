#include "core/TransportKinds.h"

const TransportKindRow* TransportKindRowOf(int32_t kind) {
  if (kind < 0 || static_cast<size_t>(kind) >= kTransportKinds.size()) return nullptr;
  return &kTransportKinds[static_cast<size_t>(kind)];
}

std::vector<std::string> TransportKindNames() {
  std::vector<std::string> names;
  for (const TransportKindRow& row : kTransportKinds) names.push_back(row.name);
  return names;
}
