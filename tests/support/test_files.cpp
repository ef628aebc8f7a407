#include "tests/support/test_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

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
  std::error_code ignored;
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

namespace {
// The characters, and their GBK bytes from `iconv -f UTF-8 -t GBK`.
constexpr std::string_view kHan =
    "晨会尚未完成写周报因故延期等数据旧任务甲乙丙丁部分同一截止新的工作改内容过已经取"
    "消第项备注二其他下午点在三楼议室开季度总结，请带上本记录和计划后把纪要发给全组事"
    "并预订。只提醒次声音窗口明天每弹出稍条：材料月交房租浸泡测试戊年农历";
constexpr std::string_view kHanGbk =
    "\xb3\xbf\xbb\xe1\xc9\xd0\xce\xb4\xcd\xea\xb3\xc9\xd0\xb4\xd6\xdc\xb1\xa8\xd2\xf2\xb9\xca"
    "\xd1\xd3\xc6\xda\xb5\xc8\xca\xfd\xbe\xdd\xbe\xc9\xc8\xce\xce\xf1\xbc\xd7\xd2\xd2\xb1\xfb"
    "\xb6\xa1\xb2\xbf\xb7\xd6\xcd\xac\xd2\xbb\xbd\xd8\xd6\xb9\xd0\xc2\xb5\xc4\xb9\xa4\xd7\xf7"
    "\xb8\xc4\xc4\xda\xc8\xdd\xb9\xfd\xd2\xd1\xbe\xad\xc8\xa1\xcf\xfb\xb5\xda\xcf\xee\xb1\xb8"
    "\xd7\xa2\xb6\xfe\xc6\xe4\xcb\xfb\xcf\xc2\xce\xe7\xb5\xe3\xd4\xda\xc8\xfd\xc2\xa5\xd2\xe9"
    "\xca\xd2\xbf\xaa\xbc\xbe\xb6\xc8\xd7\xdc\xbd\xe1\xa3\xac\xc7\xeb\xb4\xf8\xc9\xcf\xb1\xbe"
    "\xbc\xc7\xc2\xbc\xba\xcd\xbc\xc6\xbb\xae\xba\xf3\xb0\xd1\xbc\xcd\xd2\xaa\xb7\xa2\xb8\xf8"
    "\xc8\xab\xd7\xe9\xca\xc2\xb2\xa2\xd4\xa4\xb6\xa9\xa1\xa3\xd6\xbb\xcc\xe1\xd0\xd1\xb4\xce"
    "\xc9\xf9\xd2\xf4\xb4\xb0\xbf\xda\xc3\xf7\xcc\xec\xc3\xbf\xb5\xaf\xb3\xf6\xc9\xd4\xcc\xf5"
    "\xa3\xba\xb2\xc4\xc1\xcf\xd4\xc2\xbd\xbb\xb7\xbf\xd7\xe2\xbd\xfe\xc5\xdd\xb2\xe2\xca\xd4"
    "\xce\xec\xc4\xea\xc5\xa9\xc0\xfa";

std::string Gbk(std::string_view utf8) {
  std::string bytes;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (static_cast<unsigned char>(utf8[i]) < 0x80) {
      bytes += utf8[i];
      continue;
    }
    const std::size_t at = kHan.find(utf8.substr(i, 3));
    if (at == std::string_view::npos) ADD_FAILURE() << "no GBK bytes for " << utf8.substr(i, 3);
    if (at != std::string_view::npos) bytes += kHanGbk.substr(at / 3 * 2, 2);
    i += 2;
  }
  return bytes;
}

}  // namespace

std::string DataFile(const std::vector<std::string>& fields) {
  std::string bytes;
  for (const std::string& field : fields) bytes += "\"" + Gbk(field) + "\"\r\n";
  return bytes;
}

std::string WorkFile(const std::vector<WorkRecord>& records) {
  std::vector<std::string> fields;
  for (const WorkRecord& r : records) fields.insert(fields.end(), {r.start, r.deadline, r.content, r.state, r.remarks});
  return DataFile(fields);
}

std::string ReminderFile(const std::vector<Reminder>& reminders) {
  std::vector<std::string> fields;
  for (const Reminder& r : reminders) fields.insert(fields.end(), r.fields.begin(), r.fields.end());
  return DataFile(fields);
}

std::vector<WorkRecord> WorkRecords(int count) {
  constexpr const char* kStates[] = {"尚未完成", "已经完成", "因故取消", "因故延期", "完成部分"};
  std::vector<WorkRecord> records;
  for (int i = 0; i < count; ++i) {
    const std::string day = "2006-5-" + std::to_string(i % 28 + 1);
    records.push_back({day + " 9:0", day + " 17:0", "第" + std::to_string(i + 1) + "项工作", kStates[i % 5],
                       i % 3 == 0 ? "备注" : ""});
  }
  return records;
}

std::string DueText(int seconds) {
  SYSTEMTIME t{};
  FILETIME f{};
  ::GetLocalTime(&t);
  ::SystemTimeToFileTime(&t, &f);
  ULARGE_INTEGER at{{f.dwLowDateTime, f.dwHighDateTime}};
  at.QuadPart += static_cast<ULONGLONG>(seconds * 10'000'000LL);
  f = {at.LowPart, at.HighPart};
  ::FileTimeToSystemTime(&f, &t);
  char text[48];
  std::snprintf(text, sizeof text, "%d-%d-%d", t.wYear, t.wMonth, t.wDay);
  std::string due = text;
  if (t.wHour || t.wMinute || t.wSecond) {  // midnight is the date alone
    std::snprintf(text, sizeof text, " %d:%02d:%02d", t.wHour, t.wMinute, t.wSecond);
    due += text;
  }
  return due;
}

}  // namespace quillet::test
