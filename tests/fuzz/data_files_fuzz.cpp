// Any data file (the first byte picks which): no crash, leak or UB. paramter.dat and schedule.dat,
// loaded, saved and loaded again, read back the same (items with a quote or line break, and record
// fields, as the writer makes them safe) and a second parameter save writes the same bytes;
// Holiday.dat's marks come out in date order, each a day off or a working day, On() agreeing.
#include "base/field_reader.h"
#include "base/file_store.h"
#include "calendar/day_marks.h"
#include "settings/parameters.h"
#include "tests/fuzz/fuzz_support.h"
#include "worklog/work_table.h"

using namespace quillet;

static void Parameters(std::string_view bytes) {
  const std::string path = fuzz::PutFile("paramter.dat", bytes);
  const ParametersLoad first = LoadParameters(path);
  FUZZ_CHECK(first.fileRead);
  const ParametersSave save = SaveParameters(path, first.items);
  if (!save.saved) {  // only over an odd byte that a made-safe quote beside it would change
    FUZZ_CHECK(save.unmappable > 0 && ReadWholeFile(path).bytes == bytes);
    return;
  }
  const FileContents saved = ReadWholeFile(path);
  const ParametersLoad second = LoadParameters(path);
  for (std::size_t i = 0; i < first.items.size(); ++i) {
    FUZZ_CHECK(second.items[i] == first.items[i] || first.items[i].find_first_of("\"\r\n") != std::string::npos);
  }
  FUZZ_CHECK(SaveParameters(path, second.items).saved && ReadWholeFile(path).bytes == saved.bytes);
}

static void Schedule(std::string_view bytes) {
  WorkTableContext context;
  context.filePath = fuzz::PutFile("schedule.dat", bytes);
  TableModel first, second;
  FUZZ_CHECK(SetUpWorkTable(first, context).status == FileStatus::Ok);
  const SaveOutcome saved = SaveWorkRecords(first, context);
  FUZZ_CHECK(saved.ok);
  if (saved.unmappable > 0) return;  // an odd byte beside a made-safe quote: the user is told
  FUZZ_CHECK(SetUpWorkTable(second, context).status == FileStatus::Ok && second.Rows() == first.Rows() &&
             second.Cols() == first.Cols());
  for (int row = 1; row < first.Rows(); ++row) {
    for (int col = 0; col < first.Cols(); ++col) {
      FUZZ_CHECK(second.TextMatrix(row, col) == SanitizeField(first.TextMatrix(row, col)));
      FUZZ_CHECK(second.RowHeight(row) == first.RowHeight(row));
    }
  }
}

static void Holidays(std::string_view bytes) {
  DayMarks marks;
  FUZZ_CHECK(ReadDayMarks(fuzz::PutFile("Holiday.dat", bytes), &marks));
  int previous = DayNumber(CivilDate{1, 1, 1}) - 1;
  for (const auto& [date, mark] : marks.Between(CivilDate{1, 1, 1}, CivilDate{9999, 12, 31})) {
    FUZZ_CHECK(DayNumber(date) > previous && mark != DayMark::None && marks.On(date) == mark);
    previous = DayNumber(date);
  }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] % 3 == 0) Parameters(bytes);
  if (data[0] % 3 == 1) Schedule(bytes);
  if (data[0] % 3 == 2) Holidays(bytes);
  return 0;
}
