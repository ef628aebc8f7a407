// Any stream bytes: no crash, leak or UB; a head Gleam accepts with its caption reads into
// properties that write back as exactly those bytes.
#include "buttonctl/gleam_stream.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lantoc;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string_view head = bytes.substr(0, kGleamStreamHeadBytes);
  const auto textBytes = GleamStreamTextBytes(head);
  if (!textBytes || *textBytes > bytes.size() - head.size()) return 0;
  const GleamProperties read = ReadGleamStream(head, bytes.substr(head.size(), *textBytes));
  FUZZ_CHECK(read.text.size() * 2 == *textBytes);
  FUZZ_CHECK(GleamStreamBytes(read) == std::string(bytes.substr(0, head.size() + *textBytes)));
  return 0;
}
