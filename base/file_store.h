// Whole-file reads and safe whole-file saves for the program's data files.
// A save writes a temporary file in the same folder, flushes it to disk and
// then replaces the old file in one step, so a failed save (folder not
// writable, disk full, power cut) leaves the old file exactly as it was.
// Paths are UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Data files beyond this size are refused rather than read into memory.
inline constexpr std::size_t kMaxDataFileBytes = std::size_t{256} << 20;

enum class FileStatus {
  Ok,
  NotFound,    // no such file (or folder)
  Unreadable,  // exists but could not be read (permissions, a folder...)
  TooLarge,    // larger than the limit given
};

struct FileContents {
  FileStatus status = FileStatus::NotFound;
  std::string bytes;
};

FileContents ReadWholeFile(const std::string& path, std::size_t maxBytes = kMaxDataFileBytes);

// Replaces the file's contents with bytes. Returns false, with a short
// reason for the user in *error (Chinese, with the system's own words in
// parentheses), when the file could not be replaced; the old file is then
// untouched and no temporary file is left behind.
bool ReplaceFileContents(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

// The temporary file a save of path writes first.
std::string TemporaryPathFor(const std::string& path);

namespace file_store_testing {
// Makes every save fail as a full disk would once this many bytes have been
// written to its temporary file; std::nullopt turns the fault off.
void SetWriteLimit(std::optional<std::size_t> bytes);
}  // namespace file_store_testing

// Backend primitives, implemented per platform (file_store_posix.cpp,
// file_store_winapi.cpp). Not for use outside the file store.
namespace file_store_detail {
using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;
FileContents Read(const std::string& path, std::size_t maxBytes);
Handle Create(const std::string& path, std::string* error);  // create or truncate
bool Write(Handle h, const char* data, std::size_t size, std::string* error);
bool FlushAndClose(Handle h, std::string* error);
void Abandon(Handle h);  // close without caring for errors
bool ReplaceWith(const std::string& temporary, const std::string& target, std::string* error);
void Remove(const std::string& path);
}  // namespace file_store_detail

}  // namespace quillet
