// What the fuzz targets share: a check that stops the run on a broken
// invariant, numbers cut off the front of the input, and whole files in the
// temporary folder (tools/run-fuzz.sh gives each run its own).
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace quillet::fuzz {

[[noreturn]] inline void Broken(const char* what, int line) {
  std::fprintf(stderr, "invariant broken: %s (line %d)\n", what, line);
  std::abort();
}
#define FUZZ_CHECK(condition) ((condition) ? void() : quillet::fuzz::Broken(#condition, __LINE__))

// Numbers cut off the front of the input; what is left after them.
struct Input {
  Input(const std::uint8_t* data, std::size_t size) : rest(reinterpret_cast<const char*>(data), size) {}
  // A number in [low, high] from the next 8 bytes (low when none are left).
  std::int64_t Number(std::int64_t low, std::int64_t high) {
    std::uint64_t value = 0;
    for (int i = 0; i < 8 && !rest.empty(); ++i, rest.remove_prefix(1)) value = value << 8 | static_cast<unsigned char>(rest[0]);
    return low + static_cast<std::int64_t>(value % (static_cast<std::uint64_t>(high - low) + 1));
  }
  std::string_view rest;
};

// A file of this process's own, holding bytes.
inline std::string PutFile(const char* name, std::string_view bytes) {
  const std::string path = (std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + name)).string();
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

}  // namespace quillet::fuzz
