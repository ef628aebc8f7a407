// A data file that another program (a synced folder's client, a text
// editor) may have changed while a window held its contents: checked just
// before the window saves over it, so that no one's edit is lost unasked.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/file_store.h"
#include "forms/program.h"

namespace quillet {

enum class OutsideChange {
  None,      // the file is as the window read it (or last saved it): save
  KeepMine,  // save; the other version is kept beside the file
  Reload,    // drop the window's changes and read the file again
  Cancel,    // neither: the window stays open with its changes
};

// Compares the file now with loaded. When another program changed it, asks
// in the message dialog ("另一个程序已修改了 schedule.dat。") with 保存我的修改,
// 重新载入 and 取消 (owner takes no input meanwhile). For 保存我的修改 the
// other version is first copied to OtherVersionPath; a copy that fails is
// told (file and reason) and gives Cancel.
OutsideChange CheckOutsideChange(Program& program, const std::string& path,
                                 const FileVersion& loaded, HWND owner);

// CheckOutsideChange as a window's save wants it: true to go on and save;
// false when the user chose 取消 or 重新载入, after reload has run for the
// latter.
bool ClearToSave(Program& program, const std::string& path, const FileVersion& loaded, HWND owner,
                 const std::function<void()>& reload);

// The same without asking, for the program's end: when the file changed,
// its other version is kept beside it. False, with the reason, when it
// could not be kept (the caller then leaves the file alone).
bool KeepOtherVersion(const std::string& path, const FileVersion& loaded, std::string* error);

}  // namespace quillet
