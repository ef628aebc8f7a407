#include "base/daily_backup.h"

#include <algorithm>

#include "base/file_store.h"
#include "base/record_file.h"

namespace quillet {

bool IsBackedUpFile(std::string_view fileName) {
  // Windows file names compare without regard to ASCII case.
  std::string lower(fileName);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return lower == "schedule.dat" || lower == "timer.dat" || lower == "paramter.dat";
}

std::vector<std::string> BackupDaysToRemove(std::vector<std::string> names, std::size_t keep) {
  std::erase_if(names, [](const std::string& name) { return !ParseIsoDate(name); });
  // "YYYY-MM-DD" sorts by date as text.
  std::sort(names.begin(), names.end());
  if (names.size() <= keep) return {};
  names.resize(names.size() - keep);
  return names;
}

BackupOutcome BackUpBeforeSave(const std::string& path, const std::string& dataFolder,
                               const CivilDate& today) {
  BackupOutcome outcome;
  const std::size_t slash = path.find_last_of("\\/");
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (!IsBackedUpFile(name)) return outcome;
  const std::string root = DataFilePath(dataFolder, kBackupFolderName);
  const std::string day = DataFilePath(root, IsoDateText(today));
  const std::string copy = DataFilePath(day, name);
  if (ReadFileVersion(copy).status != FileStatus::NotFound) return outcome;  // not the first save today
  const FileContents old = ReadWholeFile(path);
  if (old.status == FileStatus::NotFound) return outcome;  // nothing to keep yet
  outcome.failed = true;
  if (old.status != FileStatus::Ok) {
    outcome.error = "无法读取 " + path;
    return outcome;
  }
  if (!MakeFolder(root, &outcome.error) || !MakeFolder(day, &outcome.error) ||
      !ReplaceFileContents(copy, old.bytes, &outcome.error)) {
    outcome.error = copy + "：" + outcome.error;
    return outcome;
  }
  outcome.failed = false;
  outcome.copied = true;
  for (const std::string& gone : BackupDaysToRemove(SubfolderNames(root), kBackupDays)) {
    RemoveFolderAndFiles(DataFilePath(root, gone));
  }
  return outcome;
}

}  // namespace quillet
