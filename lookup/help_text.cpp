#include "lookup/help_text.h"

#include "base/codepage.h"
#include "base/file_store.h"
#include "base/text_lines.h"

namespace quillet {

std::string HelpBoxText(std::string_view fileText) {
  std::string box;
  box.reserve(fileText.size() + fileText.size() / 16);
  ForEachLine(fileText, [&box](std::string_view line) {
    box += line;
    box += "\r\n";
  });
  return box;
}

std::optional<std::string> ReadHelpText(const std::string& helpFilePath) {
  const FileContents file = ReadWholeFile(helpFilePath);
  if (file.status != FileStatus::Ok) return std::nullopt;
  return HelpBoxText(DecodeCp936(file.bytes).utf8);
}

}  // namespace quillet
