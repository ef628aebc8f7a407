// Any text cut anywhere: no crash, leak or UB; the reader always moves on, and the fields a stream
// is fed piece by piece are those of the whole text.
#include <vector>

#include "base/field_reader.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quillet::fuzz::Input input(data, size);
  const std::size_t cut = static_cast<std::size_t>(input.Number(1, 64));  // piece length
  const std::string_view text = input.rest;
  std::vector<std::pair<std::string, bool>> whole, streamed;
  quillet::FieldReader reader(text);
  while (!reader.AtEnd()) {
    const std::size_t before = reader.Position();
    whole.emplace_back(reader.Next(), reader.LastFieldQuoted());
    FUZZ_CHECK(reader.Position() > before && reader.Position() <= text.size());
  }
  quillet::FieldStream stream([&streamed](std::string_view field, bool quoted) {
    streamed.emplace_back(std::string(field), quoted);
  });
  for (std::size_t at = 0; at < text.size(); at += cut) stream.Feed(text.substr(at, cut));
  stream.Finish();
  FUZZ_CHECK(streamed == whole);
  return 0;
}
