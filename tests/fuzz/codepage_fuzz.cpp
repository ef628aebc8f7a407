// Any bytes: no crash, leak or UB; decoding then encoding gives every byte back and nothing is unmappable.
#include "base/codepage.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const quillet::Cp936Decoded decoded = quillet::DecodeCp936(bytes);
  const quillet::Cp936Encoded encoded = quillet::EncodeCp936(decoded.utf8);
  FUZZ_CHECK(encoded.bytes == bytes);
  FUZZ_CHECK(encoded.unmappable == 0);
  FUZZ_CHECK(decoded.invalidBytes <= size);
  // The same bytes taken as UTF-8 (mostly malformed) must encode without harm.
  const quillet::Cp936Encoded raw = quillet::EncodeCp936(bytes);
  FUZZ_CHECK(raw.bytes.size() <= 2 * size);
  return 0;
}
