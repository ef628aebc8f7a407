// What "保　　存" in the settings window does, as logic: which texts the
// settings file cannot take, the items after the save, and carrying the
// data files over to a newly chosen data folder so the user's records do
// not seem to vanish.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/parameters.h"

namespace quillet {

inline constexpr std::string_view kDataFileNames[] = {"schedule.dat", "timer.dat", "snooze.dat"};

// True when a and b name the same folder: '/' and '\' alike, trailing
// separators and the case of ASCII letters ignored ("C:\Data\" is
// "c:/data").
bool SameFolder(std::string_view a, std::string_view b);

struct SettingsSavePlan {
  // Not empty: the message that tells the user why nothing is saved.
  std::string refusal;
  ParameterItems items;  // the items after the save
  bool dataFolderChanged = false;
};

// What the window knows of a data folder other than the current one.
struct NewFolderState {
  bool exists = false;
  // A window holds the records or reminders of the current folder and
  // would write them into the new one when it closes (over a file there).
  bool dataWindowOpen = false;
};

// The items that saving these controls over the current items gives, or
// the refusal: a data folder or sound path with characters code page 936
// cannot hold (the settings file could not keep them), or a data folder
// other than the current one that does not exist or must wait for the
// windows of the data files to close.
SettingsSavePlan PlanSettingsSave(const ParameterItems& current, const SettingsControls& controls,
                                  const NewFolderState& newFolder);

struct DataFilesCopy {
  std::vector<std::string> copied;  // names of the files copied
  std::string failedPath;           // the file that could not be copied; empty: no failure
  std::string error;                // why, for the user (Chinese)
};

// Copies each data file the new folder lacks and the old folder has from
// the old folder to the new (paths by DataFilePath, as the subsystems form
// them). A file already in the new folder is never replaced and nothing
// is removed from the old one. The same folder copies nothing. Stops at the
// first file that cannot be read or written.
DataFilesCopy CopyMissingDataFiles(const std::string& oldFolder, const std::string& newFolder);

// Messages of the save.
std::string DataFilesCopiedText(const std::vector<std::string>& names, std::string_view oldFolder,
                                std::string_view newFolder);
std::string DataFileNotCopiedText(std::string_view path, std::string_view newFolder,
                                  std::string_view reason);
// A sound file chosen with "浏览" whose path the settings file cannot hold.
std::string SoundPathRefusedText(std::string_view characters);

}  // namespace quillet
