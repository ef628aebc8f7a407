// Whole-file reads and safe whole-file saves for the program's data files.
// A save writes a temporary file in the same folder, flushes it to disk and
// then replaces the old file in one step, so a failed save (folder not
// writable, disk full, power cut) leaves the old file exactly as it was.
// Paths are UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// What a window read of a file, to tell later whether another program (a
// synced folder's client, a text editor) has changed the file since: its
// status, and the size and a hash (64-bit FNV-1a) of its bytes. The
// last-write time is left out on purpose: a sync client touches files it
// does not change, and two writes within the clock's step share one.
struct FileVersion {
  FileStatus status = FileStatus::NotFound;
  std::uint64_t size = 0;
  std::uint64_t hash = 14695981039346656037ull;  // of no bytes
  // The bytes that follow those counted so far.
  void Add(std::string_view bytes);
  bool operator==(const FileVersion&) const = default;
};
// The version of a file that holds bytes.
FileVersion VersionOfBytes(std::string_view bytes);
// The version of the file as it is now (read whole, piece by piece).
FileVersion ReadFileVersion(const std::string& path, std::size_t maxBytes = kMaxDataFileBytes);

// Reads the file piece by piece (at most kFilePieceBytes each, in order),
// handing each piece to take, so that a large file is never held whole.
// Returns what ReadWholeFile would report; when that is not Ok, pieces read
// before the fault may have been handed over already. With version given,
// it receives the version of what was read.
inline constexpr std::size_t kFilePieceBytes = std::size_t{1} << 16;
FileStatus ReadFileInPieces(const std::string& path, const std::function<void(std::string_view)>& take,
                            std::size_t maxBytes = kMaxDataFileBytes,
                            FileVersion* version = nullptr);

// Replaces the file's contents with bytes. Returns false, with a short
// reason for the user in *error (Chinese, with the system's own words in
// parentheses), when the file could not be replaced; the old file is then
// untouched and no temporary file is left behind (should removing it fail
// too, the next save of the file replaces or removes it).
bool ReplaceFileContents(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);
// The same with the bytes made piece by piece: next sets *piece to the next
// piece and returns true, or returns false when there are no more. A piece
// need only stay valid until next is called again.
using BytePieces = std::function<bool(std::string_view* piece)>;
bool ReplaceFileContentsFrom(const std::string& path, const BytePieces& next,
                             std::string* error = nullptr);

// Called at the start of every ReplaceFileContents(From) with the path
// about to be replaced, before anything is written: the program's daily
// backup copies the old file there. Empty (the default) calls nothing. The
// call happens on the saving thread; a hook that saves files itself must
// not save the same paths again.
using BeforeReplaceHook = std::function<void(const std::string& path)>;
void SetBeforeReplaceHook(BeforeReplaceHook hook);

// Folders. MakeFolder succeeds when the folder is there afterwards (made
// now or before); SubfolderNames lists the folders directly inside one
// (none when it cannot be read); RemoveFolderAndFiles removes a folder with
// the files directly inside it (false when the folder is still there).
bool MakeFolder(const std::string& path, std::string* error = nullptr);
std::vector<std::string> SubfolderNames(const std::string& folder);
bool RemoveFolderAndFiles(const std::string& folder);

// The temporary file a save of path writes first.
std::string TemporaryPathFor(const std::string& path);
// Where another program's version of path is kept when the user saves
// over it: "schedule.dat.其他版本-20261207-093005" for that moment.
std::string OtherVersionPath(const std::string& path, int year, int month, int day, int hour,
                             int minute, int second);

namespace file_store_testing {
// Fault injection for tests. Every file-system call a save makes (create,
// each write, flush and close, replace, remove) is counted from 1 after
// SetFault; call number at fails as the real call would (a write fails
// half-way, as on a full disk), and with andAfter so does every later call.
// at 0 turns faults off.
void SetFault(std::size_t at, bool andAfter = false);
// The calls counted since SetFault.
std::size_t FaultCalls();
}  // namespace file_store_testing

// Backend primitives, implemented per platform (file_store_posix.cpp,
// file_store_winapi.cpp). Not for use outside the file store.
namespace file_store_detail {
using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;
// Opens a file to read; kNoHandle with *status NotFound or Unreadable when
// it cannot, else *size is its size in bytes now.
Handle OpenToRead(const std::string& path, FileStatus* status, std::uint64_t* size);
// Reads up to size bytes: how many were read, 0 at the end, -1 on an error.
std::ptrdiff_t ReadSome(Handle h, char* data, std::size_t size);
Handle Create(const std::string& path, std::string* error);  // create or truncate
bool Write(Handle h, const char* data, std::size_t size, std::string* error);
bool FlushAndClose(Handle h, std::string* error);
void Abandon(Handle h);  // closes without caring for errors; also closes a file opened to read
bool ReplaceWith(const std::string& temporary, const std::string& target, std::string* error);
bool Remove(const std::string& path);  // false when the file is still there
}  // namespace file_store_detail

}  // namespace quillet
