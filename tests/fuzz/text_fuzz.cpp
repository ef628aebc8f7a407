// Any text, to the base reader the first byte picks: no crash, leak or UB. Code page 936 bytes
// decoded and encoded come back whole; the field reader always moves on and a stream fed pieces cut
// anywhere gives the same fields; a date-time reads back from its own next-due text, and carried
// numbers give a time of day in range.
#include <vector>

#include "base/codepage.h"
#include "base/date_time_text.h"
#include "base/field_reader.h"
#include "tests/fuzz/fuzz_support.h"

using namespace quillet;

static void Codepage(std::string_view bytes) {
  const Cp936Decoded decoded = DecodeCp936(bytes);
  const Cp936Encoded encoded = EncodeCp936(decoded.utf8);
  FUZZ_CHECK(encoded.bytes == bytes && encoded.unmappable == 0);
  FUZZ_CHECK(decoded.invalidBytes <= bytes.size());
  // The same bytes taken as UTF-8 (mostly malformed) must encode without harm.
  FUZZ_CHECK(EncodeCp936(bytes).bytes.size() <= 2 * bytes.size());
}

static void Fields(fuzz::Input input) {
  const std::size_t cut = static_cast<std::size_t>(input.Number(1, 64));  // piece length
  const std::string_view text = input.rest;
  std::vector<std::pair<std::string, bool>> whole, streamed;
  FieldReader reader(text);
  while (!reader.AtEnd()) {
    const std::size_t before = reader.Position();
    whole.emplace_back(reader.Next(), reader.LastFieldQuoted());
    FUZZ_CHECK(reader.Position() > before && reader.Position() <= text.size());
  }
  FieldStream stream([&streamed](std::string_view field, bool quoted) {
    streamed.emplace_back(std::string(field), quoted);
  });
  for (std::size_t at = 0; at < text.size(); at += cut) stream.Feed(text.substr(at, cut));
  stream.Finish();
  FUZZ_CHECK(streamed == whole);
}

static void DateTimes(fuzz::Input input) {
  constexpr std::int64_t kBig = 1000000;  // the documented domain
  std::int64_t numbers[6];
  for (std::int64_t& n : numbers) n = input.Number(-kBig, kBig);
  const DateTime built = BuildDateTime(numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]);
  FUZZ_CHECK(built.second >= 0 && built.second < 86400);
  const auto moment = ParseDateTimeText(input.rest);
  if (moment) {
    FUZZ_CHECK(moment->second >= 0 && moment->second < 86400);
    FUZZ_CHECK(ParseDateTimeText(FormatNextDueText(*moment)) == moment);
  }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const fuzz::Input input(data + 1, size - 1);
  if (data[0] % 3 == 0) Codepage(input.rest);
  if (data[0] % 3 == 1) Fields(input);
  if (data[0] % 3 == 2) DateTimes(input);
  return 0;
}
