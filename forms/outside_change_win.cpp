#include "forms/outside_change_win.h"

#include "forms/message_window.h"
#include "win32/clock.h"

namespace quillet {

namespace {

constexpr std::size_t kSaveMine = 0;
constexpr std::size_t kReload = 1;

std::string FileName(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file now, when it is no longer what the window read: the bytes to
// keep (empty when the file is gone or unreadable, which keeps nothing).
bool ChangedSince(const std::string& path, const FileVersion& loaded, FileContents* now) {
  *now = ReadWholeFile(path);
  const FileVersion version =
      now->status == FileStatus::Ok ? VersionOfBytes(now->bytes) : FileVersion{now->status};
  return !(version == loaded);
}

// Copies the other version beside the file; *keptPath names the copy.
bool Keep(const std::string& path, const FileContents& other, std::string* keptPath,
          std::string* error) {
  if (other.status != FileStatus::Ok) return true;  // nothing there to keep
  const SYSTEMTIME t = win::LocalNow();
  *keptPath = OtherVersionPath(path, t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
  return ReplaceFileContents(*keptPath, other.bytes, error);
}

}  // namespace

OutsideChange CheckOutsideChange(Program& program, const std::string& path,
                                 const FileVersion& loaded, HWND owner) {
  FileContents other;
  if (!ChangedSince(path, loaded, &other)) return OutsideChange::None;
  const int answer = AskAndWait(program, "另一个程序已修改了 " + FileName(path) + "。",
                                {"保存我的修改", "重新载入", "取消"}, owner);
  if (answer == static_cast<int>(kReload)) return OutsideChange::Reload;
  if (answer != static_cast<int>(kSaveMine)) return OutsideChange::Cancel;
  std::string kept;
  std::string error;
  if (!Keep(path, other, &kept, &error)) {
    ShowMessage(program, "无法保存另一个程序的版本 " + kept + "：" + error);
    return OutsideChange::Cancel;
  }
  return OutsideChange::KeepMine;
}

bool ClearToSave(Program& program, const std::string& path, const FileVersion& loaded, HWND owner,
                 const std::function<void()>& reload) {
  switch (CheckOutsideChange(program, path, loaded, owner)) {
    case OutsideChange::Reload:
      reload();
      return false;
    case OutsideChange::Cancel:
      return false;
    default:
      return true;
  }
}

bool KeepOtherVersion(const std::string& path, const FileVersion& loaded, std::string* error) {
  FileContents other;
  std::string kept;
  return !ChangedSince(path, loaded, &other) || Keep(path, other, &kept, error);
}

}  // namespace quillet
