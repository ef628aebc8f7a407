// Each file-system call of every save failing in turn, alone or with every
// call after it: the old file stays byte for byte, the caller gets the reason.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/codepage.h"
#include "reminders/reminder.h"
#include "reminders/schedule.h"
#include "settings/parameters.h"
#include "tests/support/scratch_folder.h"
#include "worklog/work_table.h"

namespace quillet {
namespace {

using testing_support::ScratchFolder;

struct SaveCase {
  const char* name;
  std::string (*path)(const std::string& folder);
  std::string old;  // UTF-8, encoded when put in place
  SaveOutcome (*save)(const std::string& path);  // loads the file, changes one field, saves it
};

SaveOutcome SaveTable(const std::string& path, bool work) {
  TableModel grid;
  WorkTableContext context;
  context.filePath = path;
  if (work) {
    SetUpWorkTable(grid, context);
  } else {
    SetUpReminderTable(grid);
    LoadReminderTable(grid, path);
  }
  if (grid.Rows() > 1) grid.SetTextMatrix(1, 3, "改过的内容");
  return work ? SaveWorkRecords(grid, context) : SaveReminderTable(grid, path);
}

const std::string kReminder = "开会,2006,5,1,8,5,0,每天提醒,只弹出窗口,,2006-5-1 8:05:00\r\n";
const SaveCase kCases[] = {
    {"settings", ParameterFilePath, "\"D:\\数据\"\r\n\"铃声.wav\"\r\n",
     [](const std::string& path) {
       ParameterItems items = LoadParameters(path).items;
       items[1] = "改过的内容";
       const ParametersSave saved = SaveParameters(path, items);
       return SaveOutcome{saved.saved, saved.error, 0, {}};
     }},
    {"work", WorkRecordPath, "\"2005-3-9 9:0\",\"2005-3-9 17:0\",写报告,尚未完成,\"\"\r\n",
     [](const std::string& path) { return SaveTable(path, true); }},
    {"reminders", ReminderPath, kReminder, [](const std::string& path) { return SaveTable(path, false); }},
    {"due_check", ReminderPath, kReminder,
     [](const std::string& path) {
       const DueCheckRun run = RunDueCheck(path, MakeDateTime(CivilDate{2006, 5, 2}));
       return run.readStatus != FileStatus::Ok ? SaveOutcome{false, "no file: nothing to save", 0, {}}
                                               : SaveOutcome{run.saved, run.saveError, 0, {}};
     }},
};

class SaveFaults : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveFaults, EveryFailedCallKeepsTheOldFileAndTellsWhy) {
  ScratchFolder folder("faults");
  const std::string path = GetParam().path(folder.Folder());
  const std::string old = EncodeCp936(GetParam().old).bytes;
  const std::string temporary = TemporaryPathFor(path);
  for (const bool andAfter : {false, true}) {
    for (std::size_t n = 1;; ++n) {
      SCOPED_TRACE("call " + std::to_string(n) + (andAfter ? " and after" : " alone"));
      ScratchFolder::Put(path, old);
      file_store_testing::SetFault(n, andAfter);
      const SaveOutcome saved = GetParam().save(path);
      const std::size_t calls = file_store_testing::FaultCalls();
      file_store_testing::SetFault(0);
      EXPECT_EQ(ScratchFolder::Get(path) == old, !saved.ok);
      if (saved.ok) {
        EXPECT_LT(calls, n);  // the save made fewer calls: none failed
        EXPECT_FALSE(std::filesystem::exists(temporary));
        break;
      }
      EXPECT_NE(saved.error.find("（模拟故障）"), std::string::npos) << saved.error;
      if (std::filesystem::exists(temporary)) {  // only when every later call fails, until the next save
        EXPECT_TRUE(andAfter && GetParam().save(path).ok);
        EXPECT_FALSE(std::filesystem::exists(temporary));
      }
      ASSERT_LT(n, 10u);
    }
  }
}

TEST_P(SaveFaults, AMissingDataFolderOrAFileInItsPlaceIsReported) {
  ScratchFolder folder("faults");
  const std::string file = folder.File("file");
  ScratchFolder::Put(file, "x");
  for (const std::string& dataFolder : {folder.File("gone"), file}) {
    const SaveOutcome saved = GetParam().save(GetParam().path(dataFolder));
    EXPECT_TRUE(!saved.ok && !saved.error.empty()) << dataFolder;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.File("gone")));
  EXPECT_EQ(ScratchFolder::Get(file), "x");
}

INSTANTIATE_TEST_SUITE_P(DataFiles, SaveFaults, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace quillet
