// Any look-up file (the first byte picks which): no crash, leak or UB. Each line found in Code.dat
// holds the keyword, and the box stops growing at its capacity less its reserve; Help.dat's box
// holds the file's lines in order, each ended by CR LF.
#include "base/codepage.h"
#include "base/text_lines.h"
#include "lookup/code_search.h"
#include "lookup/help_text.h"
#include "tests/fuzz/fuzz_support.h"

using namespace quillet;

static void CodeSearch(fuzz::Input input) {
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
}

static void Help(std::string_view bytes) {
  const std::string text = DecodeCp936(bytes).utf8;
  const std::string box = HelpBoxText(text);
  // Taking the line ends out of both leaves the same characters.
  std::string bare, boxBare;
  for (char c : text) if (c != '\r' && c != '\n') bare += c;
  for (char c : box) if (c != '\r' && c != '\n') boxBare += c;
  FUZZ_CHECK(bare == boxBare && box.empty() == text.empty());
  for (std::size_t i = 0; i < box.size(); ++i) {
    if (box[i] == '\r') FUZZ_CHECK(i + 1 < box.size() && box[i + 1] == '\n');
    if (box[i] == '\n') FUZZ_CHECK(i > 0 && box[i - 1] == '\r');
  }
  FUZZ_CHECK(box.empty() || box.substr(box.size() - 2) == "\r\n");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const fuzz::Input input(data + 1, size - 1);
  if (data[0] % 2 == 0) CodeSearch(input);
  if (data[0] % 2 == 1) Help(input.rest);
  return 0;
}
