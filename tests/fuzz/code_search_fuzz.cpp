// Any Code.dat and keyword: no crash, leak or UB; every line found holds the keyword and the text
// stops growing once it reaches the box's capacity less its reserve.
#include "base/codepage.h"
#include "base/text_lines.h"
#include "lookup/code_search.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  fuzz::Input input(data, size);
  const auto keywordBytes = static_cast<std::size_t>(input.Number(0, 8));
  const std::size_t capacity = static_cast<std::size_t>(input.Number(0, 200));
  const std::string_view rest = input.rest;
  const std::string keyword = DecodeCp936(rest.substr(0, keywordBytes)).utf8;
  const std::string text = DecodeCp936(rest.substr(std::min(keywordBytes, rest.size()))).utf8;
  const std::string box = MatchingCodeLines(text, keyword, capacity);
  std::size_t lineStart = 0;
  for (std::size_t end; (end = box.find("\r\n", lineStart)) != std::string::npos; lineStart = end + 2) {
    FUZZ_CHECK(TextBoxLength(std::string_view(box).substr(0, lineStart)) + kCodeBoxReserve < capacity);
    FUZZ_CHECK(box.substr(lineStart, end - lineStart).find(keyword) != std::string::npos);
  }
  FUZZ_CHECK(lineStart == box.size());
  return 0;
}
