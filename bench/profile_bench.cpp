// Loading the largest profile that ships in profiles/: reading and checking the JSON.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "profile/profile.h"

#ifndef VEVOVUVADO_SOURCE_DIR
#error "VEVOVUVADO_SOURCE_DIR: the build passes the source folder (for profiles/)"
#endif

namespace {
// The largest file in profiles/, or "" when there is none.
std::string largestProfile() {
  namespace fs = std::filesystem;
  std::string best;
  std::uintmax_t bestSize = 0;
  std::error_code failed;
  for (const auto& entry : fs::directory_iterator(VEVOVUVADO_SOURCE_DIR "/profiles", failed)) {
    if (entry.path().extension() == ".json" && entry.file_size() > bestSize) {
      bestSize = entry.file_size();
      best = entry.path().string();
    }
  }
  return best;
}

void BM_LoadLargestProfile(benchmark::State& state) {
  const std::string path = largestProfile();
  if (path.empty()) {
    state.SkipWithError("no profile in profiles/");
    return;
  }
  for (auto _ : state) {
    Profile profile;
    std::string error;
    if (!loadProfile(path, &profile, &error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    benchmark::DoNotOptimize(profile.networks.data());
  }
  const std::filesystem::path file(path);
  state.SetLabel(file.filename().string() + ", " +
                 std::to_string(std::filesystem::file_size(file)) + " bytes");
}
BENCHMARK(BM_LoadLargestProfile)->Unit(benchmark::kMicrosecond);
}  // namespace
