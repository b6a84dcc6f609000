// The socket object's lock: re-entrant, because sending and receiving drop the connection while
// they hold it, and OnDisconnect, which runs inside the drop, may send or receive again.
#pragma once

#include <mutex>

class TSynchroObject {
 public:
  virtual ~TSynchroObject() = default;
  virtual void Acquire() = 0;
  virtual void Release() = 0;
};

class TCriticalSection final : public TSynchroObject {
 public:
  void Acquire() override { mutex_.lock(); }
  void Release() override { mutex_.unlock(); }
  void Enter() { Acquire(); }
  void Leave() { Release(); }

 private:
  std::recursive_mutex mutex_;
};

// Holds a lock for a scope, also when an exception passes.
class CriticalSectionHold {
 public:
  explicit CriticalSectionHold(TCriticalSection& lock) : lock_(lock) { lock_.Enter(); }
  ~CriticalSectionHold() { lock_.Leave(); }
  CriticalSectionHold(const CriticalSectionHold&) = delete;
  CriticalSectionHold& operator=(const CriticalSectionHold&) = delete;

 private:
  TCriticalSection& lock_;
};
