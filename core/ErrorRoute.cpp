// One process-wide route; only the GUI thread uses it.
#include "core/ErrorRoute.h"

namespace {
const void* route_owner = nullptr;
ErrorRouteHandler route;
}  // namespace

void SetApplicationErrorRoute(const void* owner, ErrorRouteHandler handler) {
  if (route) return;
  route_owner = owner;
  route = std::move(handler);
}

void ClearApplicationErrorRoute(const void* owner) {
  if (route && route_owner == owner) {
    route = nullptr;
    route_owner = nullptr;
  }
}

bool HasApplicationErrorRoute() {
  return static_cast<bool>(route);
}

void ReportToApplicationErrorRoute(TObject* sender) {
  if (!route) return;
  // A copy, so that a handler that clears the route does not destroy itself while running.
  ErrorRouteHandler handler = route;
  handler(sender);
}
