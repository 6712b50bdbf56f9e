// Times saving and loading a list file of 100,000 entries of 80 bytes each,
// the save including its sync to disk, and prints the median of a few runs:
//   playlist_save_100k_ms: <value> ms
//   playlist_load_100k_ms: <value> ms

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/framework/CFileException.h"
#include "playlist/ListFile.h"

namespace {

constexpr int kEntries = 100000;
constexpr size_t kEntryBytes = 80;
constexpr int kRuns = 5;

CStringArray MakeEntries() {
  CStringArray entries;
  for (int i = 0; i < kEntries; ++i) {
    std::string entry = "/home/user/music/collection/song_" + std::to_string(i);
    entry.resize(kEntryBytes - 4, 'x');
    entry += ".mid";
    entries.Add(CString(entry));
  }
  return entries;
}

template <typename Action>
double MedianMilliseconds(Action action) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    auto start = std::chrono::steady_clock::now();
    action();
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    times.push_back(elapsed.count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  const char* base = getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/vusk-playlist-bench-XXXXXX";
  if (!mkdtemp(pattern.data())) {
    std::perror("mkdtemp");
    return 1;
  }
  const std::string dir = pattern;
  const CString path(dir + "/MidiList.txt");
  const CStringArray entries = MakeEntries();
  int status = 0;
  try {
    double save = MedianMilliseconds([&] { WriteListFile(path, entries); });
    size_t loaded = 0;
    double load = MedianMilliseconds([&] { loaded = static_cast<size_t>(ReadListFile(path).GetSize()); });
    if (loaded != kEntries) {
      std::fprintf(stderr, "loaded %zu entries, expected %d\n", loaded, kEntries);
      status = 1;
    }
    std::printf("playlist_save_100k_ms: %.2f ms\n", save);
    std::printf("playlist_load_100k_ms: %.2f ms\n", load);
  } catch (const CException& error) {
    std::fprintf(stderr, "%s\n", error.what());
    status = 1;
  }
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
  return status;
}
