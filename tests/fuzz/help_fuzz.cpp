// Any Help.dat: no crash, leak or UB; the box holds the file's lines in order, each ended by CR LF.
#include "base/codepage.h"
#include "lookup/help_text.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  const std::string text = DecodeCp936(std::string_view(reinterpret_cast<const char*>(data), size)).utf8;
  const std::string box = HelpBoxText(text);
  // Taking the line ends out of both leaves the same characters.
  std::string bare, boxBare;
  for (char c : text) if (c != '\r' && c != '\n') bare += c;
  for (char c : box) if (c != '\r' && c != '\n') boxBare += c;
  FUZZ_CHECK(bare == boxBare);
  FUZZ_CHECK(box.empty() == text.empty());
  for (std::size_t i = 0; i < box.size(); ++i) {
    if (box[i] == '\r') FUZZ_CHECK(i + 1 < box.size() && box[i + 1] == '\n');
    if (box[i] == '\n') FUZZ_CHECK(i > 0 && box[i - 1] == '\r');
  }
  FUZZ_CHECK(box.empty() || box.substr(box.size() - 2) == "\r\n");
  return 0;
}
