// The daily backup of the data files: the first save of a day of
// schedule.dat, timer.dat or paramter.dat first copies the file as it was
// into 备份\YYYY-MM-DD\ under the data folder; the newest kBackupDays day
// folders are kept. The day is an argument (the program's clock), so that
// this stays logic.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/dates.h"

namespace quillet {

inline constexpr std::size_t kBackupDays = 14;
inline constexpr std::string_view kBackupFolderName = "备份";

// The file names that are backed up.
bool IsBackedUpFile(std::string_view fileName);

// Of the folder names inside the backup folder, those to remove so that the
// newest `keep` day folders (names "YYYY-MM-DD" that are real dates) stay;
// other names are never touched. Oldest first.
std::vector<std::string> BackupDaysToRemove(std::vector<std::string> names, std::size_t keep);

struct BackupOutcome {
  bool copied = false;  // a copy was made now
  bool failed = false;  // a copy was due and could not be made
  std::string error;    // why (Chinese), when failed
};

// Before path is replaced: when path names one of the backed-up files, the
// file exists and today's folder holds no copy of it yet, copies it there,
// then removes the day folders beyond the newest kBackupDays.
BackupOutcome BackUpBeforeSave(const std::string& path, const std::string& dataFolder,
                               const CivilDate& today);

}  // namespace quillet
