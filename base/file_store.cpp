#include "base/file_store.h"

#include <algorithm>
#include <utility>

namespace quillet {
namespace {
std::optional<std::size_t> g_writeLimit;  // test fault injection only
}

namespace file_store_testing {
void SetWriteLimit(std::optional<std::size_t> bytes) { g_writeLimit = bytes; }
}  // namespace file_store_testing

namespace {

// Reads the file to its end in pieces handed to take; sized first learns
// the size the file has when it is opened. The file may grow meanwhile: its
// end is where reading stops, within maxBytes.
FileStatus ReadPieces(const std::string& path, std::size_t maxBytes,
                      const std::function<void(std::size_t)>& sized,
                      const std::function<void(std::string_view)>& take) {
  namespace d = file_store_detail;
  FileStatus status = FileStatus::NotFound;
  std::uint64_t size = 0;
  const d::Handle h = d::OpenToRead(path, &status, &size);
  if (h == d::kNoHandle) return status;
  if (size > maxBytes) {
    d::Abandon(h);
    return FileStatus::TooLarge;
  }
  if (sized) sized(static_cast<std::size_t>(size));
  std::string buffer(kFilePieceBytes, '\0');
  std::size_t done = 0;
  for (;;) {
    const std::ptrdiff_t n = d::ReadSome(h, buffer.data(), buffer.size());
    if (n < 0) status = FileStatus::Unreadable;
    if (n > 0 && (done += static_cast<std::size_t>(n)) > maxBytes) status = FileStatus::TooLarge;
    if (n <= 0 || status != FileStatus::Ok) break;
    take(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
  }
  d::Abandon(h);
  return status;
}

}  // namespace

FileContents ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  FileContents result;
  result.status = ReadPieces(
      path, maxBytes, [&result](std::size_t size) { result.bytes.reserve(size); },
      [&result](std::string_view piece) { result.bytes += piece; });
  if (result.status != FileStatus::Ok) result.bytes.clear();
  return result;
}

FileStatus ReadFileInPieces(const std::string& path, const std::function<void(std::string_view)>& take,
                            std::size_t maxBytes) {
  return ReadPieces(path, maxBytes, nullptr, take);
}

std::string TemporaryPathFor(const std::string& path) { return path + ".saving"; }

bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string* error) {
  bool given = false;
  return ReplaceFileContentsFrom(
      path,
      [&](std::string_view* piece) {
        *piece = bytes;
        return !std::exchange(given, true);
      },
      error);
}

bool ReplaceFileContentsFrom(const std::string& path, const BytePieces& next, std::string* error) {
  namespace d = file_store_detail;
  std::string reason;
  const std::string temporary = TemporaryPathFor(path);
  const d::Handle h = d::Create(temporary, &reason);
  bool ok = h != d::kNoHandle;
  if (ok) {
    constexpr std::size_t kChunk = 1 << 16;
    std::size_t done = 0;  // bytes written so far
    std::string_view bytes;
    while (ok && next(&bytes)) {
      for (std::size_t at = 0; ok && at < bytes.size(); at += kChunk) {
        std::size_t size = std::min(kChunk, bytes.size() - at);
        if (g_writeLimit && done + size > *g_writeLimit) {
          size = *g_writeLimit > done ? *g_writeLimit - done : 0;
          d::Write(h, bytes.data() + at, size, &reason);
          reason = "磁盘空间不足";
          ok = false;
          break;
        }
        ok = d::Write(h, bytes.data() + at, size, &reason);
        done += size;
      }
    }
    if (ok) {
      ok = d::FlushAndClose(h, &reason);
    } else {
      d::Abandon(h);
    }
    ok = ok && d::ReplaceWith(temporary, path, &reason);
    if (!ok) d::Remove(temporary);
  }
  if (!ok && error) *error = reason;
  return ok;
}

}  // namespace quillet
