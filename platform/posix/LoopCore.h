// What the POSIX event loop dispatches: descriptors it polls for their watchers, and tasks that
// other threads post for the GUI thread. Everything but Post is for the GUI thread only.
#pragma once

#include <cstdint>
#include <functional>

class TObject;

namespace posix_loop {

class Watcher {
 public:
  virtual ~Watcher() = default;
  virtual int Descriptor() const = 0;
  // The poll events wanted now; 0 leaves the descriptor out of the next round.
  virtual short Interest() const = 0;
  // The events the poll reported. The watcher may be removed (and destroyed) by what it calls,
  // so it must not touch itself once that has been called.
  virtual void Ready(short revents) = 0;
  // Who the error route is told about when Ready raises.
  virtual TObject* Sender() const = 0;
};

// Returns the id under which the loop knows the watcher.
uint64_t AddWatcher(Watcher& watcher);
void RemoveWatcher(uint64_t id);

// From any thread: runs task on the GUI thread in a later round. An exception it raises goes to
// the error route with sender, which must still be valid if the task can raise.
void Post(TObject* sender, std::function<void()> task);

}  // namespace posix_loop
