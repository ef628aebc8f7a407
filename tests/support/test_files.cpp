#include "tests/support/test_files.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/codepage.h"
#include "base/record_file.h"
#include "tests/support/win_test.h"

namespace quillet::test {

TempFolder::TempFolder(const wchar_t* name) {
  wchar_t base[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, base);
  static int counter = 0;
  path_ = std::wstring(base) + (name ? std::wstring(name)
                                     : L"quillet-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                           std::to_wstring(++counter));
  ::CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  std::error_code ignored;  // folders the test made inside go too
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  return static_cast<bool>(out << bytes << std::flush);
}

std::vector<WorkRecord> WorkRecords(int count) {
  std::vector<WorkRecord> records;
  for (int i = 0; i < count; ++i) {
    const std::string day = "2006-5-" + std::to_string(i % 28 + 1);
    records.push_back({day + " 9:0", day + " 17:0", "第" + std::to_string(i + 1) + "项工作",
                       StateName(static_cast<std::int16_t>(i % 5)), i % 3 == 0 ? "备注" : ""});
  }
  return records;
}

std::string WorkFileBytes(const std::vector<WorkRecord>& records) {
  std::string text;
  for (const WorkRecord& r : records) {
    for (int f = 0; f < WorkRecord::kFieldCount; ++f) AppendDataField(text, r.Field(f));
  }
  return EncodeCp936(text).bytes;
}

std::string ReminderFileBytes(const std::vector<Reminder>& reminders) {
  return EncodeCp936(FormatReminders(reminders)).bytes;
}

DateTime SecondsFromNow(int seconds) {
  SYSTEMTIME t{};
  ::GetLocalTime(&t);
  return BuildDateTime(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond + seconds);
}

}  // namespace quillet::test
