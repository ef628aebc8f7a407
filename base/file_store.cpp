#include "base/file_store.h"

#include <algorithm>

namespace quillet {
namespace {
std::optional<std::size_t> g_writeLimit;  // test fault injection only
}

namespace file_store_testing {
void SetWriteLimit(std::optional<std::size_t> bytes) { g_writeLimit = bytes; }
}  // namespace file_store_testing

FileContents ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  return file_store_detail::Read(path, maxBytes);
}

std::string TemporaryPathFor(const std::string& path) { return path + ".saving"; }

bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string* error) {
  namespace d = file_store_detail;
  std::string reason;
  const std::string temporary = TemporaryPathFor(path);
  const d::Handle h = d::Create(temporary, &reason);
  bool ok = h != d::kNoHandle;
  if (ok) {
    constexpr std::size_t kChunk = 1 << 16;
    for (std::size_t done = 0; ok && done < bytes.size(); done += kChunk) {
      std::size_t size = std::min(kChunk, bytes.size() - done);
      if (g_writeLimit && done + size > *g_writeLimit) {
        size = *g_writeLimit > done ? *g_writeLimit - done : 0;
        d::Write(h, bytes.data() + done, size, &reason);
        reason = "磁盘空间不足";
        ok = false;
        break;
      }
      ok = d::Write(h, bytes.data() + done, size, &reason);
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
