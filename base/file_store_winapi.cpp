#include <windows.h>

#include <algorithm>
#include <string_view>

#include "base/file_store.h"
#include "base/utf8.h"

namespace quillet::file_store_detail {
namespace {

std::wstring WidePath(const std::string& path) {
  const std::u16string w = Utf8ToUtf16(path);
  return std::wstring(w.begin(), w.end());
}

// what, then the system's description of the last error in the user's
// language (Chinese on the systems the program is made for) and its number.
void SetError(std::string* error, const char* what) {
  const DWORD code = ::GetLastError();
  if (!error) return;
  wchar_t* text = nullptr;
  const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::u16string said(text, text + n);
  if (text) ::LocalFree(text);
  // The system's sentence ends in a line break and a full stop, which would
  // stand before our comma.
  while (!said.empty() && std::u16string_view(u"\r\n \u3002.").find(said.back()) !=
                              std::u16string_view::npos) {
    said.pop_back();
  }
  *error = std::string(what) + "（" + (said.empty() ? "" : Utf16ToUtf8(said) + "，") + "错误 " +
           std::to_string(code) + "）";
}

HANDLE AsHandle(Handle h) { return reinterpret_cast<HANDLE>(h); }

}  // namespace

FileContents Read(const std::string& path, std::size_t maxBytes) {
  FileContents result;
  HANDLE file = ::CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD e = ::GetLastError();
    result.status = (e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ||
                     e == ERROR_INVALID_NAME || e == ERROR_INVALID_DRIVE)
                        ? FileStatus::NotFound
                        : FileStatus::Unreadable;
    return result;
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file, &size)) {
    ::CloseHandle(file);
    result.status = FileStatus::Unreadable;
    return result;
  }
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
    ::CloseHandle(file);
    result.status = FileStatus::TooLarge;
    return result;
  }
  result.bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < result.bytes.size()) {
    DWORD n = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(result.bytes.size() - done, 1 << 20));
    if (!::ReadFile(file, result.bytes.data() + done, want, &n, nullptr)) {
      ::CloseHandle(file);
      result.bytes.clear();
      result.status = FileStatus::Unreadable;
      return result;
    }
    if (n == 0) break;  // the file shrank meanwhile
    done += n;
  }
  ::CloseHandle(file);
  result.bytes.resize(done);
  result.status = FileStatus::Ok;
  return result;
}

Handle Create(const std::string& path, std::string* error) {
  HANDLE file = ::CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    SetError(error, "无法创建临时文件");
    return kNoHandle;
  }
  return reinterpret_cast<Handle>(file);
}

bool Write(Handle h, const char* data, std::size_t size, std::string* error) {
  while (size > 0) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
    DWORD n = 0;
    if (!::WriteFile(AsHandle(h), data, want, &n, nullptr) || n == 0) {
      SetError(error, "无法写入");
      return false;
    }
    data += n;
    size -= n;
  }
  return true;
}

bool FlushAndClose(Handle h, std::string* error) {
  const bool flushed = ::FlushFileBuffers(AsHandle(h)) != FALSE;
  if (!flushed) SetError(error, "无法写入磁盘");
  const bool closed = ::CloseHandle(AsHandle(h)) != FALSE;
  if (flushed && !closed) SetError(error, "无法关闭文件");
  return flushed && closed;
}

void Abandon(Handle h) { ::CloseHandle(AsHandle(h)); }

bool ReplaceWith(const std::string& temporary, const std::string& target, std::string* error) {
  if (!::MoveFileExW(WidePath(temporary).c_str(), WidePath(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    SetError(error, "无法替换原文件");
    return false;
  }
  return true;
}

void Remove(const std::string& path) { ::DeleteFileW(WidePath(path).c_str()); }

}  // namespace quillet::file_store_detail
