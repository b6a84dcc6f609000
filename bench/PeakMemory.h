// The process's resident memory and its peak (Linux /proc), for benchmarks that report how much
// memory an operation needs.
#pragma once

#include <malloc.h>

#include <cstddef>
#include <fstream>
#include <string>

// The field of /proc/self/status ("VmRSS:", "VmHWM:") in bytes.
inline size_t StatusBytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string name;
  size_t kb = 0;
  while (status >> name) {
    if (name == field) {
      status >> kb;
      return kb * 1024;
    }
    status.ignore(1 << 10, '\n');
  }
  return 0;
}

// Starts a new peak of resident memory from now; false where the system cannot. Memory freed
// earlier goes back to the system first, so that reusing it counts as growth.
inline bool ResetPeakMemory() {
  malloc_trim(0);
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}
