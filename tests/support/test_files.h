// Temporary folders, whole-file helpers and the program's data files for
// the Windows-side tests.
#pragma once

#include <string>
#include <vector>

#include "base/date_time_text.h"
#include "reminders/reminder.h"
#include "worklog/work_record.h"

namespace quillet::test {

// A fresh empty folder under the system's temporary folder, removed with
// its files when the object goes.
class TempFolder {
 public:
  // A fresh folder in the temporary folder, named `name` when given.
  explicit TempFolder(const wchar_t* name = nullptr);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& path() const { return path_; }
  std::wstring File(const wchar_t* name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

// Whole-file helpers for the tests.
std::string ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);

// count work records started on consecutive days of May 2006 (the 28th,
// then the 1st again), the states in turn, every third with a remark.
std::vector<WorkRecord> WorkRecords(int count);
// The bytes of a record file (schedule.dat) and of a reminder file
// (timer.dat) holding these, in code page 936.
std::string WorkFileBytes(const std::vector<WorkRecord>& records);
std::string ReminderFileBytes(const std::vector<Reminder>& reminders);
// The local time this many seconds from now, for due times.
DateTime SecondsFromNow(int seconds);

}  // namespace quillet::test
