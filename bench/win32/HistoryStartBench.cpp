// The main window's creation under Wine with both history files holding the given number of
// entries of 60 bytes, in the order the program writes them or in none: the time the settings
// take to come up in the window, and to be stored when it is destroyed at exit. No files at all
// are the baseline.
//   zirk_history_bench.exe [entries [unsorted]]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/BenchFolders.h"
#include "bench/HistoryEntries.h"
#include "core/SettingsStore.h"
#include "shell/Unit1.h"

namespace {

namespace fs = std::filesystem;

fs::path Folder(size_t entries, BenchOrder order) {
  const fs::path folder = fs::temp_directory_path() / "zirk-history-bench";
  fs::remove_all(folder);
  fs::create_directories(folder);
  if (entries == 0) return folder;
  const std::string file = BenchHistoryFile(entries, order);
  for (const char* name : {"ZIRK_adrs.ini", "ZIRK_msgs.ini"}) {
    std::ofstream(folder / name, std::ios::binary) << file;
  }
  return folder;
}

}  // namespace

int main(int argc, char** argv) {
  const size_t entries = argc > 1 ? std::stoul(argv[1]) : 0;
  const bool unsorted = argc > 2 && std::string(argv[2]) == "unsorted";
  BenchFolders folders(Folder(entries, unsorted ? BenchOrder::None : BenchOrder::AsWritten));
  TApplication app;
  app.SetTitle("ZIRK-bench");
  const auto start = std::chrono::steady_clock::now();
  TForm1& form = *app.CreateForm<TForm1>(&app, &folders);
  const std::chrono::duration<double, std::milli> created =
      std::chrono::steady_clock::now() - start;
  const size_t addresses = form.ADRL.History().Size();
  const size_t messages = form.MSG.History().Size();
  const auto exit = std::chrono::steady_clock::now();
  app.DestroyForms();
  const std::chrono::duration<double, std::milli> stored = std::chrono::steady_clock::now() - exit;
  std::printf(
      "window created in %9.1f ms, settings stored at exit in %7.1f ms, with %7zu + %7zu "
      "history entries%s\n",
      created.count(), stored.count(), addresses, messages, unsorted ? " (files unsorted)" : "");
  return 0;
}
