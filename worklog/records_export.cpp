#include "worklog/records_export.h"

#include "base/file_store.h"
#include "base/record_file.h"
#include "worklog/work_table.h"

namespace quillet {

std::string CsvField(std::string_view text) {
  if (text.find_first_of("\",\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string RecordsCsv(const std::vector<WorkRecord>& records) {
  std::string csv = "\xEF\xBB\xBF";
  for (int c = 0; c <= WorkRecord::kFieldCount; ++c) {
    if (c > 0) csv += ',';
    csv += CsvField(WorkColumnHeading(c));
  }
  csv += "\r\n";
  std::size_t number = 0;
  for (const WorkRecord& record : records) {
    csv += std::to_string(++number);
    for (int f = 0; f < WorkRecord::kFieldCount; ++f) {
      csv += ',';
      csv += CsvField(record.Field(f));
    }
    csv += "\r\n";
  }
  return csv;
}

ExportOutcome ExportRecordsCsv(const std::string& dataFolder, const std::string& target) {
  return ExportDataFile(WorkRecordPath(dataFolder), target,
                        [](const std::vector<std::string>& fields, std::size_t* count) {
                          const std::vector<WorkRecord> records = RecordsFromFields(fields);
                          *count = records.size();
                          return RecordsCsv(records);
                        });
}

}  // namespace quillet
