// The main window's creation under Wine with both history files holding the given number of
// entries of 60 bytes: the time the settings take to come up in the window. No files at all are
// the baseline.
//   zirk_history_bench.exe [entries]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/BenchFolders.h"
#include "shell/Unit1.h"

namespace {

namespace fs = std::filesystem;

fs::path Folder(size_t entries) {
  const fs::path folder = fs::temp_directory_path() / "zirk-history-bench";
  fs::remove_all(folder);
  fs::create_directories(folder);
  if (entries == 0) return folder;
  for (const char* name : {"ZIRK_adrs.ini", "ZIRK_msgs.ini"}) {
    std::ofstream out(folder / name, std::ios::binary);
    for (size_t i = 0; i < entries; ++i) {
      std::string line = std::to_string(i * 7919 % entries);
      line.resize(60, 'h');
      out << line << "\r\n";
    }
  }
  return folder;
}

}  // namespace

int main(int argc, char** argv) {
  const size_t entries = argc > 1 ? std::stoul(argv[1]) : 0;
  BenchFolders folders(Folder(entries));
  TApplication app;
  app.SetTitle("ZIRK-bench");
  const auto start = std::chrono::steady_clock::now();
  TForm1& form = *app.CreateForm<TForm1>(&app, &folders);
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  std::printf("window created in %9.1f ms with %6zu + %6zu history entries\n", took.count(),
              form.ADRL.History().Size(), form.MSG.History().Size());
  return 0;
}
