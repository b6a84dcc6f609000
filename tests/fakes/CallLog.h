// The calls that fakes saw, in order, as short texts; shared by the fakes of one test so that
// the order across the window and the transports can be checked.
#pragma once

#include <string>
#include <vector>

struct CallLog {
  std::vector<std::string> calls;
  void Add(std::string call) { calls.push_back(std::move(call)); }
  void Clear() { calls.clear(); }
};
