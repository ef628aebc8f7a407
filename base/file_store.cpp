#include "base/file_store.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace quillet {
namespace {

// Test fault injection: the save calls below go through Injected, which
// counts them and fails the chosen ones.
struct FaultPlan {
  std::size_t at = 0;  // 0: no faults
  bool andAfter = false;
  std::size_t calls = 0;
};
FaultPlan g_fault;
BeforeReplaceHook g_beforeReplace;

bool Injected(std::string* reason, const char* what) {
  if (g_fault.at == 0) return false;
  const std::size_t call = ++g_fault.calls;
  if (call < g_fault.at || (call > g_fault.at && !g_fault.andAfter)) return false;
  *reason = std::string(what) + "（模拟故障）";
  return true;
}

}  // namespace

namespace file_store_testing {
void SetFault(std::size_t at, bool andAfter) { g_fault = {at, andAfter, 0}; }
std::size_t FaultCalls() { return g_fault.calls; }
}  // namespace file_store_testing

namespace {
namespace d = file_store_detail;

d::Handle Create(const std::string& path, std::string* reason) {
  return Injected(reason, "无法创建临时文件") ? d::kNoHandle : d::Create(path, reason);
}

bool Write(d::Handle h, const char* data, std::size_t size, std::string* reason) {
  if (!Injected(reason, "磁盘空间不足")) return d::Write(h, data, size, reason);
  std::string ignored;
  d::Write(h, data, size / 2, &ignored);  // a full disk takes part of it
  return false;
}

bool FlushAndClose(d::Handle h, std::string* reason) {
  if (!Injected(reason, "无法写入磁盘")) return d::FlushAndClose(h, reason);
  d::Abandon(h);
  return false;
}

bool ReplaceWith(const std::string& temporary, const std::string& target, std::string* reason) {
  return !Injected(reason, "无法替换原文件") && d::ReplaceWith(temporary, target, reason);
}

bool Remove(const std::string& path) {
  std::string ignored;
  return !Injected(&ignored, "") && d::Remove(path);
}

// Reads the file to its end in pieces handed to take; sized first learns
// the size the file has when it is opened. The file may grow meanwhile: its
// end is where reading stops, within maxBytes.
FileStatus ReadPieces(const std::string& path, std::size_t maxBytes,
                      const std::function<void(std::size_t)>& sized,
                      const std::function<void(std::string_view)>& take) {
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

void FileVersion::Add(std::string_view bytes) {
  for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  size += bytes.size();
}

FileVersion VersionOfBytes(std::string_view bytes) {
  FileVersion version{FileStatus::Ok};
  version.Add(bytes);
  return version;
}

FileVersion ReadFileVersion(const std::string& path, std::size_t maxBytes) {
  FileVersion version;
  version.status = ReadFileInPieces(path, [](std::string_view) {}, maxBytes, &version);
  return version;
}

FileStatus ReadFileInPieces(const std::string& path, const std::function<void(std::string_view)>& take,
                            std::size_t maxBytes, FileVersion* version) {
  if (!version) return ReadPieces(path, maxBytes, nullptr, take);
  FileVersion read{FileStatus::Ok};
  const FileStatus status = ReadPieces(path, maxBytes, nullptr, [&](std::string_view piece) {
    read.Add(piece);
    take(piece);
  });
  *version = status == FileStatus::Ok ? read : FileVersion{status};
  return status;
}

std::string TemporaryPathFor(const std::string& path) { return path + ".saving"; }

std::string OtherVersionPath(const std::string& path, int year, int month, int day, int hour,
                             int minute, int second) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", year, month, day, hour, minute,
                second);
  return path + ".其他版本-" + stamp;
}

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

void SetBeforeReplaceHook(BeforeReplaceHook hook) { g_beforeReplace = std::move(hook); }

bool ReplaceFileContentsFrom(const std::string& path, const BytePieces& next, std::string* error) {
  if (g_beforeReplace) {
    // The hook may save files itself (the backup copy): not through itself.
    const BeforeReplaceHook hook = std::exchange(g_beforeReplace, nullptr);
    hook(path);
    g_beforeReplace = hook;
  }
  std::string reason;
  const std::string temporary = TemporaryPathFor(path);
  // Create truncates a temporary file an earlier save could not remove.
  const d::Handle h = Create(temporary, &reason);
  bool ok = h != d::kNoHandle;
  if (ok) {
    constexpr std::size_t kChunk = 1 << 16;
    std::string_view bytes;
    while (ok && next(&bytes)) {
      for (std::size_t at = 0; ok && at < bytes.size(); at += kChunk) {
        ok = Write(h, bytes.data() + at, std::min(kChunk, bytes.size() - at), &reason);
      }
    }
    if (ok) {
      ok = FlushAndClose(h, &reason);
    } else {
      d::Abandon(h);
    }
    ok = ok && ReplaceWith(temporary, path, &reason);
  }
  // Also after a failed create: a temporary file left by an earlier save
  // goes now if it can.
  if (!ok) Remove(temporary);
  if (!ok && error) *error = reason;
  return ok;
}

}  // namespace quillet
