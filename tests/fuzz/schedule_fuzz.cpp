// Any schedule.dat: no crash, leak or UB; loaded, saved and loaded again, the second load holds
// the same records (each field as the writer stores it: quotes and line breaks made safe).
#include "base/field_reader.h"
#include "tests/fuzz/fuzz_support.h"
#include "worklog/work_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  WorkTableContext context;
  context.filePath = fuzz::PutFile("schedule.dat", std::string_view(reinterpret_cast<const char*>(data), size));
  TableModel first, second;
  FUZZ_CHECK(SetUpWorkTable(first, context).status == FileStatus::Ok);
  const SaveOutcome saved = SaveWorkRecords(first, context);
  FUZZ_CHECK(saved.ok);
  if (saved.unmappable > 0) return 0;  // an odd byte beside a made-safe quote: the user is told
  FUZZ_CHECK(SetUpWorkTable(second, context).status == FileStatus::Ok);
  FUZZ_CHECK(second.Rows() == first.Rows() && second.Cols() == first.Cols());
  for (int row = 1; row < first.Rows(); ++row) {
    for (int col = 0; col < first.Cols(); ++col) {
      FUZZ_CHECK(second.TextMatrix(row, col) == SanitizeField(first.TextMatrix(row, col)));
      FUZZ_CHECK(second.RowHeight(row) == first.RowHeight(row));
    }
  }
  return 0;
}
