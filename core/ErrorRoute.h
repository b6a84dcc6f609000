// The application's error route: where code that no caller can catch for (a socket
// notification, a timer tick) sends the exception it is handling. The application object
// sets the route when it is created and clears it when it is destroyed.
#pragma once

#include <functional>

class TObject;

// Called from inside a catch block; the handler works on the exception being handled.
using ErrorRouteHandler = std::function<void(TObject* sender)>;

// Sets the route unless one is set already; owner identifies who set it.
void SetApplicationErrorRoute(const void* owner, ErrorRouteHandler handler);
// Clears the route only if owner set it.
void ClearApplicationErrorRoute(const void* owner);
bool HasApplicationErrorRoute();
// Passes the exception being handled to the route; without a route it is dropped.
void ReportToApplicationErrorRoute(TObject* sender);
