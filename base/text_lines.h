// Line splitting of the delivered plain-text files (the code list and the
// help text): a line ends at CR LF, at a lone CR or at a lone LF; a last line
// without a line end still counts, and an empty text has no lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// Calls onLine(std::string_view line) for every line in order, without its
// line end.
template <typename OnLine>
void ForEachLine(std::string_view text, OnLine&& onLine) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    onLine(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

// Length as a Windows text box counts it: UTF-16 code units.
std::size_t TextBoxLength(std::string_view utf8);

}  // namespace quillet
