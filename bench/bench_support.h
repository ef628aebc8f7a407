// Shared bits of the benchmarks: the peak memory counters and a scratch
// folder for the data files they load and save.
#pragma once

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>

namespace quillet::bench_support {

// The heap of operator new (heap_count.cpp counts every block): how far, in
// bytes, it grew at its highest above what it held at the last
// ResetHeapPeak.
void ResetHeapPeak();
std::size_t HeapPeakGrowth();

// Starts a new peak-memory window: Linux resets the process's resident
// high-water mark (VmHWM) when "5" is written to /proc/self/clear_refs.
// Call it after the benchmark's set-up and before its loop.
inline void ResetPeakMemory() {
#ifdef __GLIBC__
  malloc_trim(0);  // hand memory freed by earlier benchmarks back first
#endif
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.close();
  ResetHeapPeak();
}

// Two counters since the last ResetPeakMemory, in MiB: heap_MiB, how far
// the heap grew above what it held at the reset (what the measured code
// itself needed at its worst), and peak_MiB, the peak resident memory of the
// whole process (the benchmark's own input data counts too; where the reset
// is not possible, the peak of the process so far, from getrusage).
inline void ReportPeakMemory(benchmark::State& state) {
  state.counters["heap_MiB"] = static_cast<double>(HeapPeakGrowth()) / (1 << 20);
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
