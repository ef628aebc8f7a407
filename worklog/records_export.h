// The work records as CSV for spreadsheets: UTF-8 with a byte-order mark
// (Excel then reads the Chinese right), CR LF line ends, fields quoted as
// RFC 4180 has it. The first row holds the work table's six headings; the
// first column, "序号", numbers the records 1, 2, ... in file order, as the
// list window numbers them when every record is shown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/record_file.h"
#include "worklog/work_record.h"

namespace quillet {

// One CSV field: quoted (inner quotes doubled) when it holds a quote, a
// comma, a CR or an LF; as it is otherwise.
std::string CsvField(std::string_view text);

// The whole CSV file.
std::string RecordsCsv(const std::vector<WorkRecord>& records);

// Reads schedule.dat of the data folder (no file: no records) and replaces
// target with its CSV. The data file is only read.
ExportOutcome ExportRecordsCsv(const std::string& dataFolder, const std::string& target);

}  // namespace quillet
