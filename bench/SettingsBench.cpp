// Loading and saving the settings with 10,000 entries in each history list.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/BenchFolders.h"
#include "core/SettingsStore.h"
#include "platform/Files.h"

namespace {

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

std::filesystem::path BenchFolder() {
  auto folder = std::filesystem::temp_directory_path() / "zirk-settings-bench";
  std::filesystem::create_directories(folder);
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

}  // namespace
