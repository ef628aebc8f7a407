// Temporary folders, whole files and the program's data files for the
// Windows-side tests.
#pragma once

#include <string>
#include <vector>

#include "reminders/reminder.h"
#include "worklog/work_record.h"

namespace quillet::test {

// A fresh folder in the temporary folder (named `name` when given),
// removed with its files when the object goes.
class TempFolder {
 public:
  explicit TempFolder(const wchar_t* name = nullptr);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& path() const { return path_; }
  std::wstring File(const wchar_t* name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

std::string ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);

// A data file as schedule.dat and timer.dat: each field quoted on a CR LF
// line, in GBK from a table of the characters the tests use.
std::string DataFile(const std::vector<std::string>& fields);
std::string WorkFile(const std::vector<WorkRecord>& records);
std::string ReminderFile(const std::vector<Reminder>& reminders);
// count records on consecutive days of May 2006 (after the 28th the 1st
// again), the states in turn, every third with a remark.
std::vector<WorkRecord> WorkRecords(int count);
// The local time this many seconds from now as due text ("2026-5-1 8:05:00").
std::string DueText(int seconds);

}  // namespace quillet::test
