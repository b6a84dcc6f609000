// The application's error route for a test: while it lives, errors that reach the route are
// recorded by their message instead of being shown.
#pragma once

#include <string>
#include <vector>

#include "core/ErrorRoute.h"
#include "core/Errors.h"

class FakeErrorRoute {
 public:
  FakeErrorRoute() {
    SetApplicationErrorRoute(this, [this](TObject* sender) {
      senders.push_back(sender);
      try {
        throw;
      } catch (const Exception& error) {
        messages.push_back(error.Message());
      } catch (...) {
        messages.push_back("(not an Exception)");
      }
    });
  }
  ~FakeErrorRoute() { ClearApplicationErrorRoute(this); }
  FakeErrorRoute(const FakeErrorRoute&) = delete;
  FakeErrorRoute& operator=(const FakeErrorRoute&) = delete;

  std::vector<std::string> messages;
  std::vector<TObject*> senders;
};
