// INTEGRATION POINT: stands in for the look-up module's help-file reader
// until it is merged (see help_text.h).
#include "lookup/help_text.h"

#include "shell/codepage.h"
#include "shell/file_store.h"

namespace quillet {

std::optional<std::string> ReadHelpText(const std::string& path) {
  const FileContents file = ReadWholeFile(path);
  if (file.status != FileStatus::Ok) return std::nullopt;
  const std::string text = DecodeCp936(file.bytes).utf8;
  std::string out;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    out.append(text, start, end - start).append("\r\n");
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return out;
}

}  // namespace quillet
