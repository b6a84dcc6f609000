// Loading and saving the settings with 10,000 entries in each history list, and loading the
// largest files: a 64 MiB "zirk.ini", the largest history file that loads, and a 256 MiB history
// file (refused by its size), each against reading the same file whole, the baseline.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/BenchFolders.h"
#include "bench/PeakMemory.h"
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
enum class Huge { Settings64MiB, LargestHistory, History256MiB };

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
  } else if (kind == Huge::LargestHistory) {
    // As many entries as load, as long as the size limit allows.
    const size_t length = SettingsStore::kHistoryFileLimit / SettingsStore::kHistoryEntryLimit - 2;
    const std::string line = std::string(length, 'h') + "\r\n";
    for (size_t i = 0; i < SettingsStore::kHistoryEntryLimit; ++i) out << line;
  } else {
    out.close();
    fs::resize_file(file, uintmax_t{256} << 20);
  }
  return folder;
}

// Times Load; reports the file's size and the peak of resident memory above what was resident
// before (one load, outside the timing).
void LoadHuge(benchmark::State& state, Huge kind) {
  BenchFolders folders(HugeFolder(kind));
  PlatformFileSystem files;
  SettingsStore store(folders, files);
  ResetPeakMemory();
  const size_t before = StatusBytes("VmRSS:");
  benchmark::DoNotOptimize(store.Load());
  state.counters["peak_rss_growth_MiB"] = (StatusBytes("VmHWM:") - before) / kMiB;
  for (auto _ : state) benchmark::DoNotOptimize(store.Load());
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
BENCHMARK_CAPTURE(ReadHuge, LargestHistory, Huge::LargestHistory)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadHuge, LargestHistory, Huge::LargestHistory)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadHuge, History256MiB, Huge::History256MiB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadHuge, History256MiB, Huge::History256MiB)->Unit(benchmark::kMillisecond);

}  // namespace
