#include "lookup/code_search.h"

#include <vector>

#include "base/codepage.h"
#include "base/file_store.h"
#include "base/text_lines.h"
#include "lookup/place_names.h"

namespace quillet {

namespace {

// The lines of the file for which matches(line) holds, in file order, while
// the box text is shorter than capacity - 30.
template <typename Matches>
std::string CollectLines(std::string_view fileText, std::size_t capacity, const Matches& matches) {
  const std::size_t limit = capacity > kCodeBoxReserve ? capacity - kCodeBoxReserve : 0;
  std::string box;
  std::size_t boxLength = 0;  // UTF-16 units, as the box counts
  ForEachLine(fileText, [&](std::string_view line) {
    if (boxLength >= limit || !matches(line)) return;
    box += line;
    box += "\r\n";
    boxLength += TextBoxLength(line) + 2;
  });
  return box;
}

}  // namespace

std::string MatchingCodeLines(std::string_view fileText, std::string_view keyword, std::size_t capacity) {
  return CollectLines(fileText, capacity,
                      [keyword](std::string_view line) { return line.find(keyword) != std::string_view::npos; });
}

std::string FindCodeLines(std::string_view fileText, std::string_view keyword, std::size_t capacity) {
  std::string found = MatchingCodeLines(fileText, keyword, capacity);
  const std::vector<std::string> parts = PlaceNameParts(keyword);
  if (!found.empty() || (parts.size() == 1 && parts[0] == keyword)) return found;
  return CollectLines(fileText, capacity, [&parts](std::string_view line) {
    std::size_t from = 0;
    for (const std::string& part : parts) {
      from = line.find(part, from);
      if (from == std::string_view::npos) return false;
      from += part.size();
    }
    return true;
  });
}

std::optional<std::string> SearchCodes(const std::string& codeFilePath, std::string_view keyword) {
  const FileContents file = ReadWholeFile(codeFilePath);
  if (file.status != FileStatus::Ok) return std::nullopt;
  return FindCodeLines(DecodeCp936(file.bytes).utf8, keyword);
}

}  // namespace quillet
