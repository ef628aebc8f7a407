#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <vector>
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

Handle OpenToRead(const std::string& path, FileStatus* status, std::uint64_t* size) {
  HANDLE file = ::CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD e = ::GetLastError();
    *status = (e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND || e == ERROR_INVALID_NAME ||
               e == ERROR_INVALID_DRIVE)
                  ? FileStatus::NotFound
                  : FileStatus::Unreadable;
    return kNoHandle;
  }
  LARGE_INTEGER bytes{};
  if (!::GetFileSizeEx(file, &bytes)) {
    ::CloseHandle(file);
    *status = FileStatus::Unreadable;
    return kNoHandle;
  }
  *status = FileStatus::Ok;
  *size = static_cast<std::uint64_t>(bytes.QuadPart);
  return reinterpret_cast<Handle>(file);
}

std::ptrdiff_t ReadSome(Handle h, char* data, std::size_t size) {
  DWORD n = 0;
  const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
  if (!::ReadFile(AsHandle(h), data, want, &n, nullptr)) return -1;
  return static_cast<std::ptrdiff_t>(n);
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

bool Remove(const std::string& path) {
  return ::DeleteFileW(WidePath(path).c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace quillet::file_store_detail

namespace quillet {
namespace {
namespace d = file_store_detail;

std::wstring Wide(const std::string& path) {
  const std::u16string w = Utf8ToUtf16(path);
  return std::wstring(w.begin(), w.end());
}

// The entries of a folder that are folders (wantFolders) or files.
std::vector<std::string> Entries(const std::string& folder, bool wantFolders) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW(Wide(folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::u16string name(found.cFileName, found.cFileName + std::wcslen(found.cFileName));
    if (name == u"." || name == u"..") continue;
    if (((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == wantFolders) {
      names.push_back(Utf16ToUtf8(name));
    }
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

}  // namespace

bool MakeFolder(const std::string& path, std::string* error) {
  if (::CreateDirectoryW(Wide(path).c_str(), nullptr)) return true;
  const DWORD code = ::GetLastError();
  const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
  if (error) *error = "无法创建文件夹（错误 " + std::to_string(code) + "）";
  return false;
}

std::vector<std::string> SubfolderNames(const std::string& folder) { return Entries(folder, true); }

bool RemoveFolderAndFiles(const std::string& folder) {
  for (const std::string& name : Entries(folder, false)) d::Remove(folder + "\\" + name);
  return ::RemoveDirectoryW(Wide(folder).c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND ||
         ::GetLastError() == ERROR_PATH_NOT_FOUND;
}

}  // namespace quillet
