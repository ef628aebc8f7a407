// Temporary folders, whole-file helpers and the program's data files for
// the Windows-side tests, the files made by the tests' own means.
#pragma once

#include <string>
#include <vector>

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

// A data file as the program writes schedule.dat and timer.dat: each field
// in double quotes on a line of its own, CR LF, in code page 936 (GBK) from
// a table of the characters the tests use (another one fails the test).
std::string DataFile(const std::vector<std::string>& fields);
// Records by start, deadline, content, state and remarks; reminders by
// their eleven fields.
std::string WorkFile(const std::vector<WorkRecord>& records);
std::string ReminderFile(const std::vector<Reminder>& reminders);
// count work records started on consecutive days of May 2006 (the 28th,
// then the 1st again), the states in turn, every third with a remark.
std::vector<WorkRecord> WorkRecords(int count);
// The local time this many seconds from now as a reminder's due text
// ("2026-5-1 8:05:00").
std::string DueText(int seconds);

}  // namespace quillet::test
