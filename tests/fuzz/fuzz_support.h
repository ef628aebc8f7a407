// What the fuzz targets share: a check that stops the run on a broken
// invariant, a reader that cuts numbers off the front of the input, and a
// scratch file per process for the targets that go through real files.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#define FUZZ_CHECK(condition)                                                      \
  do {                                                                             \
    if (!(condition)) {                                                            \
      std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__, \
                   __LINE__);                                                      \
      std::abort();                                                                \
    }                                                                              \
  } while (0)

namespace quillet::fuzz {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}
  // A number in [low, high] from the next bytes (low when none are left).
  std::int64_t Number(std::int64_t low, std::int64_t high) {
    std::uint64_t value = 0;
    for (int i = 0; i < 8 && !rest_.empty(); ++i, rest_.remove_prefix(1)) {
      value = value << 8 | static_cast<unsigned char>(rest_[0]);
    }
    return low + static_cast<std::int64_t>(value % (static_cast<std::uint64_t>(high - low) + 1));
  }
  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
};

// A folder of this process's own under the temporary folder (in memory where
// /dev/shm exists), made once; the file name is the caller's.
inline std::string ScratchFile(const char* name) {
  static const std::string* folder = [] {
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    const auto made = new std::string((base / ("quillet-fuzz-" + std::to_string(::getpid()))).string());
    std::filesystem::create_directories(*made);
    std::atexit([] { std::filesystem::remove_all(*folder); });
    return made;
  }();
  return *folder + "/" + name;
}

inline void PutFile(const std::string& path, std::string_view bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  FUZZ_CHECK(f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
  std::fclose(f);
}

}  // namespace quillet::fuzz
