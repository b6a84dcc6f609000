// Loading and saving the settings with 10,000 entries in each history list; loading the largest
// files into history lists as the window does: a 64 MiB "zirk.ini", a history file at the size
// limit (over a million entries of 60 bytes as the program writes them, or 64 Mi empty ones) and
// a 256 MiB history file (refused by its size), each against reading the same file whole, the
// baseline; and sorting a history list of up to a million entries in no order against copying
// them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "bench/BenchFolders.h"
#include "bench/HistoryEntries.h"
#include "bench/PeakMemory.h"
#include "core/HistoryList.h"
#include "core/SettingsStore.h"
#include "platform/Files.h"

namespace {

namespace fs = std::filesystem;
constexpr double kMiB = 1 << 20;

SettingsRecord LargeRecord() {
  SettingsRecord record;
  record.address = "localhost";
  record.port = 243;
  std::vector<std::string> entries;
  for (int i = 0; i < 10'000; ++i) entries.push_back("host-" + std::to_string(i * 7919 % 10'000));
  record.address_history = entries;
  record.message_history = entries;
  return record;
}

fs::path BenchFolder(const std::string& name = "zirk-settings-bench") {
  auto folder = fs::temp_directory_path() / name;
  fs::create_directories(folder);
  return folder;
}

void BM_SettingsSave10k(benchmark::State& state) {
  BenchFolders folders(BenchFolder());
  PlatformFileSystem files;
  SettingsStore store(folders, files);
  SettingsRecord record = LargeRecord();
  for (auto _ : state) store.Save(record);
}
BENCHMARK(BM_SettingsSave10k)->Unit(benchmark::kMillisecond);

void BM_SettingsLoad10k(benchmark::State& state) {
  BenchFolders folders(BenchFolder());
  PlatformFileSystem files;
  SettingsStore store(folders, files);
  store.Save(LargeRecord());
  for (auto _ : state) benchmark::DoNotOptimize(store.Load());
}
BENCHMARK(BM_SettingsLoad10k)->Unit(benchmark::kMillisecond);

// A folder holding one huge file of its kind; the other files are missing.
enum class Huge { Settings64MiB, HistoryAtLimit, EmptyLinesAtLimit, History256MiB };

fs::path HugeFolder(Huge kind) {
  const fs::path folder = BenchFolder("zirk-settings-bench-huge-" + std::to_string(int(kind)));
  const fs::path file = folder / (kind == Huge::Settings64MiB ? "zirk.ini" : "ZIRK_adrs.ini");
  std::ofstream out(file, std::ios::binary);
  if (kind == Huge::Settings64MiB) {
    // Keys of other sections first, the program's section at the end.
    const std::string line = "padding=" + std::string(90, 'p') + "\r\n";
    for (size_t size = 0; size + line.size() <= (size_t{64} << 20) - 64; size += line.size()) {
      out << line;
    }
    out << "[last]\r\nport=77\r\n";
  } else if (kind == Huge::HistoryAtLimit) {
    out << BenchHistoryFile(SettingsStore::kHistoryFileLimit / 62, BenchOrder::AsWritten);
  } else if (kind == Huge::EmptyLinesAtLimit) {
    // The most entries a file within the limit holds: a lone LF each.
    out << std::string(SettingsStore::kHistoryFileLimit, '\n');
  } else {
    out.close();
    fs::resize_file(file, uintmax_t{256} << 20);
  }
  return folder;
}

// Load, and the histories put in history lists as the window does.
void LoadIntoLists(SettingsStore& store, HistoryList& addresses, HistoryList& messages) {
  SettingsRecord record = store.Load();
  if (record.address_history) addresses.Replace(std::move(*record.address_history));
  if (record.message_history) messages.Replace(std::move(*record.message_history));
}

// Times loading; reports the file's size and the peak of resident memory above what was resident
// before (one load, outside the timing).
void LoadHuge(benchmark::State& state, Huge kind) {
  BenchFolders folders(HugeFolder(kind));
  PlatformFileSystem files;
  SettingsStore store(folders, files);
  ResetPeakMemory();
  const size_t before = StatusBytes("VmRSS:");
  {
    HistoryList addresses, messages;
    LoadIntoLists(store, addresses, messages);
    state.counters["peak_rss_growth_MiB"] = (StatusBytes("VmHWM:") - before) / kMiB;
    state.counters["entries"] = static_cast<double>(addresses.Size() + messages.Size());
  }
  for (auto _ : state) {
    HistoryList addresses, messages;
    LoadIntoLists(store, addresses, messages);
  }
  const fs::path file = folders.RegistryAppDataFolder() /
                        (kind == Huge::Settings64MiB ? "zirk.ini" : "ZIRK_adrs.ini");
  state.counters["file_MiB"] = fs::file_size(file) / kMiB;
}

// The baseline: the same file read whole, nothing more.
void ReadHuge(benchmark::State& state, Huge kind) {
  const fs::path file =
      HugeFolder(kind) / (kind == Huge::Settings64MiB ? "zirk.ini" : "ZIRK_adrs.ini");
  PlatformFileSystem files;
  ResetPeakMemory();
  const size_t before = StatusBytes("VmRSS:");
  benchmark::DoNotOptimize(files.ReadFile(file, SIZE_MAX));
  state.counters["peak_rss_growth_MiB"] = (StatusBytes("VmHWM:") - before) / kMiB;
  for (auto _ : state) benchmark::DoNotOptimize(files.ReadFile(file, SIZE_MAX));
}

BENCHMARK_CAPTURE(ReadHuge, Settings64MiB, Huge::Settings64MiB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadHuge, Settings64MiB, Huge::Settings64MiB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadHuge, HistoryAtLimit, Huge::HistoryAtLimit)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadHuge, HistoryAtLimit, Huge::HistoryAtLimit)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadHuge, EmptyLinesAtLimit, Huge::EmptyLinesAtLimit)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadHuge, EmptyLinesAtLimit, Huge::EmptyLinesAtLimit)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadHuge, History256MiB, Huge::History256MiB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadHuge, History256MiB, Huge::History256MiB)->Unit(benchmark::kMillisecond);

// Filling a history list with n entries in no order, against copying them (the baseline).
void BM_HistoryCopy(benchmark::State& state) {
  const std::vector<std::string> entries = BenchHistoryEntries(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(std::vector<std::string>(entries));
}
void BM_HistoryReplace(benchmark::State& state) {
  const std::vector<std::string> entries = BenchHistoryEntries(static_cast<size_t>(state.range(0)));
  HistoryList list;
  for (auto _ : state) list.Replace(entries);
}
BENCHMARK(BM_HistoryCopy)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryReplace)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
