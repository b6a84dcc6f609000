// The start-up timeline that the start-up benchmark reads: with ZIRK_STARTUP_TIMELINE naming a
// file, every step once, in order, with its time, the modules loaded and those the step brought.
#include "shell/StartupTimeline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/SystemLibrary.h"
#include "support/TempDir.h"

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  size_t from = 0;
  for (size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, from)) {
    parts.push_back(text.substr(from, at - from));
    from = at + separator.size();
  }
  parts.push_back(text.substr(from));
  return parts;
}

// A system library that nothing else in the tests loads.
constexpr const wchar_t* kLibrary = L"cabinet.dll";

TEST(StartupTimeline, RecordsEachStepOnceInOrderAndWritesThemWhenPainted) {
  TempDir folder;
  const std::filesystem::path file = folder.Native("timeline.txt");
  SetEnvironmentVariableW(L"ZIRK_STARTUP_TIMELINE", file.c_str());
  const bool loaded_before = GetModuleHandleW(kLibrary) != nullptr;
  for (int step = 0; step < static_cast<int>(StartupStep::Count); ++step) {
    if (step == static_cast<int>(StartupStep::Settings)) {
      ASSERT_NE(SystemLibrary(kLibrary), nullptr);  // a module loaded within a step
    }
    MarkStartup(static_cast<StartupStep>(step));
    MarkStartup(StartupStep::EntryPoint);  // again: not recorded twice
  }
  SetEnvironmentVariableW(L"ZIRK_STARTUP_TIMELINE", nullptr);

  std::vector<std::string> lines = Split(ReadBytes(file), "\r\n");
  ASSERT_EQ(lines.back(), "");
  lines.pop_back();
  ASSERT_EQ(lines.size(), static_cast<size_t>(StartupStep::Count));
  double before = 0;
  for (size_t index = 0; index < lines.size(); ++index) {
    const std::vector<std::string> fields = Split(lines[index], "\t");
    ASSERT_EQ(fields.size(), 6u) << lines[index];
    const double at = std::stod(fields[0]);
    EXPECT_GE(at, before) << lines[index];
    before = at;
    EXPECT_GE(std::stod(fields[1]), 0) << lines[index];
    EXPECT_GT(std::stoi(fields[2]), 0) << lines[index];  // resident KiB
    EXPECT_GT(std::stoi(fields[3]), 0) << lines[index];  // modules
    EXPECT_FALSE(fields[4].empty());
    const bool step_with_the_library =
        !loaded_before && index == static_cast<size_t>(StartupStep::Settings);
    EXPECT_EQ(fields[5].find("cabinet.dll") != std::string::npos, step_with_the_library)
        << lines[index];
  }
  // The first step lists what was there from the start, the program itself among it.
  EXPECT_NE(Split(lines[0], "\t")[5].find(".exe"), std::string::npos);
}

}  // namespace
