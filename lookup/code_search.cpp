#include "lookup/code_search.h"

#include "base/codepage.h"
#include "base/file_store.h"
#include "base/text_lines.h"

namespace quillet {

std::string MatchingCodeLines(std::string_view fileText, std::string_view keyword, std::size_t capacity) {
  const std::size_t limit = capacity > kCodeBoxReserve ? capacity - kCodeBoxReserve : 0;
  std::string box;
  std::size_t boxLength = 0;  // UTF-16 units, as the box counts
  ForEachLine(fileText, [&](std::string_view line) {
    if (boxLength >= limit || line.find(keyword) == std::string_view::npos) return;
    box += line;
    box += "\r\n";
    boxLength += TextBoxLength(line) + 2;
  });
  return box;
}

std::optional<std::string> SearchCodes(const std::string& codeFilePath, std::string_view keyword) {
  const FileContents file = ReadWholeFile(codeFilePath);
  if (file.status != FileStatus::Ok) return std::nullopt;
  return MatchingCodeLines(DecodeCp936(file.bytes).utf8, keyword);
}

}  // namespace quillet
