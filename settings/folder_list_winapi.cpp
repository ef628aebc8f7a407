#include <windows.h>

#include <string>

#include "base/utf8.h"
#include "settings/folder_list.h"
#include "win32/handles.h"

namespace quillet {

namespace {

std::wstring Wide(std::string_view text) {
  const std::u16string w = Utf8ToUtf16(text);
  return std::wstring(w.begin(), w.end());
}

std::string Narrow(std::wstring_view text) {
  return Utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

bool IsFolder(const std::wstring& folder) {
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> FoldersInside(std::wstring folder) {
  std::vector<std::string> names;
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  folder += L'*';
  WIN32_FIND_DATAW found{};
  HANDLE first = ::FindFirstFileW(folder.c_str(), &found);
  const win::FileSearch search(first == INVALID_HANDLE_VALUE ? nullptr : first);
  if (!search) return names;
  do {
    const std::wstring name = found.cFileName;
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L".." ||
        (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
      continue;
    }
    names.push_back(Narrow(name));
  } while (::FindNextFileW(search.get(), &found));
  return names;
}

}  // namespace

std::optional<FolderListing> ListFolder(const std::string& folder) {
  if (folder.empty()) return std::nullopt;
  // A drive without a disc must fail quietly, not ask the user.
  DWORD oldMode = 0;
  ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &oldMode);
  wchar_t full[1024] = {};
  const DWORD length = ::GetFullPathNameW(Wide(folder).c_str(), 1024, full, nullptr);
  const bool exists = length > 0 && length < 1024 && IsFolder(full);
  std::optional<FolderListing> listing;
  if (exists) listing = FolderListing{Narrow(full), FoldersInside(full)};
  ::SetThreadErrorMode(oldMode, nullptr);
  return listing;
}

bool FolderExists(const std::string& folder) { return !folder.empty() && IsFolder(Wide(folder)); }

std::vector<std::string> DriveRoots() {
  std::vector<std::string> roots;
  wchar_t all[512] = {};
  const DWORD length = ::GetLogicalDriveStringsW(511, all);
  if (length == 0 || length > 511) return roots;
  for (const wchar_t* root = all; *root; root += wcslen(root) + 1) roots.push_back(Narrow(root));
  return roots;
}

}  // namespace quillet
