// Shared bits of the benchmarks: the peak memory counter and a scratch
// folder for the data files they load and save.
#pragma once

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace quillet::bench_support {

// Starts a new peak-memory window: Linux resets the process's resident
// high-water mark (VmHWM) when "5" is written to /proc/self/clear_refs.
// Call it after the benchmark's set-up and before its loop.
inline void ResetPeakMemory() {
#ifdef __GLIBC__
  malloc_trim(0);  // hand memory freed by earlier benchmarks back first
#endif
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
}

// Peak resident memory in MiB since the last ResetPeakMemory (the whole
// process: the benchmark's own input data counts too). Where the reset is
// not possible this is the peak of the process so far (getrusage).
inline void ReportPeakMemory(benchmark::State& state) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) {
      state.counters["peak_MiB"] = std::stod(line.substr(6)) / 1024.0;  // the value is in kB
      return;
    }
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is KiB
}

inline std::string ScratchFolder() {
  const auto folder = std::filesystem::temp_directory_path() /
                      ("quillet-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  return folder.string();
}

}  // namespace quillet::bench_support
