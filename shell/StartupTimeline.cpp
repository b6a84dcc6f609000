// The first mark takes the time from the process's creation to now on the system clock, and
// every later mark adds the high-resolution counter's advance since then. The modules are listed
// at each mark; a step's are those that were not there at the mark before it.
#include "shell/StartupTimeline.h"

#include <windows.h>
// After windows.h, which they need.
#include <psapi.h>
#include <tlhelp32.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "platform/win32/Handle.h"
#include "platform/win32/WideText.h"

namespace {

constexpr const wchar_t* kTimelineVariable = L"ZIRK_STARTUP_TIMELINE";

constexpr std::array<const char*, static_cast<size_t>(StartupStep::Count)> kStepNames = {
    "process start to the entry point (loader, libraries linked at load time, runtime)",
    "common controls",
    "application object and window",
    "main window's window and members (controls' windows, transports, timer, tooltip)",
    "main window's layout: places, texts, pictures, hints",
    "tray icon and single-instance guard loaded",
    "settings read and applied",
    "About box",
    "main window shown",
    "first paint done (message queue empty)",
};

struct Mark {
  double ms;
  double processor_ms;
  size_t resident_kib;
  size_t modules;
  std::string new_modules;
};

struct Timeline {
  bool recording = false;
  std::wstring file;
  LARGE_INTEGER frequency{};
  LARGE_INTEGER entry_counter{};
  double entry_ms = 0;
  // The counter ticks and the processor time spent listing the modules: not counted in any step.
  LONGLONG listing = 0;
  double listing_processor_ms = 0;
  std::set<std::string> modules;
  std::array<bool, static_cast<size_t>(StartupStep::Count)> marked{};
  std::vector<std::pair<StartupStep, Mark>> marks;
};

Timeline& TheTimeline() {
  static Timeline timeline;
  return timeline;
}

uint64_t Ticks(const FILETIME& time) {
  return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

// The milliseconds since the process was created, on the system clock.
double SinceCreation() {
  FILETIME created, exited, kernel, user, now;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  GetSystemTimePreciseAsFileTime(&now);
  return static_cast<double>(Ticks(now) - Ticks(created)) / 10000.0;
}

// The processor time the process has used, in milliseconds: less disturbed than the clock by
// whatever else the machine runs.
double ProcessorTime() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  return static_cast<double>(Ticks(kernel) + Ticks(user)) / 10000.0;
}

// The process's resident memory (its working set), in KiB.
size_t ResidentKib() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return counters.WorkingSetSize / 1024;
}

// Adds the modules loaded now to known and returns the names of those it did not hold.
std::string NewModules(std::set<std::string>& known) {
  std::string added;
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0));
  if (!snapshot.valid()) return added;
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32FirstW(snapshot.get(), &entry); more;
       more = Module32NextW(snapshot.get(), &entry)) {
    std::string name = NarrowText(entry.szModule);
    for (char& ch : name) {
      if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    }
    if (known.insert(name).second) added += (added.empty() ? "" : " ") + name;
  }
  return added;
}

void Write(const Timeline& timeline) {
  std::string text;
  for (const auto& [step, mark] : timeline.marks) {
    char times[96];
    snprintf(times, sizeof times, "%.2f\t%.2f\t%zu", mark.ms, mark.processor_ms, mark.resident_kib);
    text += std::string(times) + "\t" + std::to_string(mark.modules) + "\t" +
            kStepNames[static_cast<size_t>(step)] + "\t" + mark.new_modules + "\r\n";
  }
  UniqueHandle file(CreateFileW(timeline.file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (file.valid()) {
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
}

}  // namespace

void MarkStartup(StartupStep step) {
  Timeline& timeline = TheTimeline();
  const auto index = static_cast<size_t>(step);
  if (step == StartupStep::EntryPoint && !timeline.marked[index]) {
    const double since_creation = SinceCreation();
    wchar_t file[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(kTimelineVariable, file, MAX_PATH);
    timeline.recording = length > 0 && length < MAX_PATH;
    if (timeline.recording) {
      timeline.file = file;
      QueryPerformanceFrequency(&timeline.frequency);
      QueryPerformanceCounter(&timeline.entry_counter);
      timeline.entry_ms = since_creation;
    }
  }
  if (!timeline.recording || timeline.marked[index]) return;
  timeline.marked[index] = true;
  LARGE_INTEGER counter, listed;
  QueryPerformanceCounter(&counter);
  const LONGLONG elapsed = counter.QuadPart - timeline.entry_counter.QuadPart - timeline.listing;
  const double ms = timeline.entry_ms + static_cast<double>(elapsed) * 1000.0 /
                                            static_cast<double>(timeline.frequency.QuadPart);
  const double processor_ms = ProcessorTime() - timeline.listing_processor_ms;
  const size_t resident_kib = ResidentKib();
  std::string added = NewModules(timeline.modules);
  QueryPerformanceCounter(&listed);
  timeline.listing += listed.QuadPart - counter.QuadPart;
  timeline.listing_processor_ms = ProcessorTime() - processor_ms;
  timeline.marks.push_back(
      {step, {ms, processor_ms, resident_kib, timeline.modules.size(), std::move(added)}});
  if (step == StartupStep::Painted) Write(timeline);
}
