// Any paramter.dat: no crash, leak or UB; loaded, saved and loaded again, every item without a
// quote or line break reads back the same, and a second save writes the same bytes.
#include "base/file_store.h"
#include "settings/parameters.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = fuzz::PutFile("paramter.dat", bytes);
  const ParametersLoad first = LoadParameters(path);
  FUZZ_CHECK(first.fileRead);
  const ParametersSave save = SaveParameters(path, first.items);
  if (!save.saved) {  // only over an odd byte that a made-safe quote beside it would change
    FUZZ_CHECK(save.unmappable > 0 && ReadWholeFile(path).bytes == bytes);
    return 0;
  }
  const FileContents saved = ReadWholeFile(path);
  const ParametersLoad second = LoadParameters(path);
  for (std::size_t i = 0; i < first.items.size(); ++i) {
    FUZZ_CHECK(second.items[i] == first.items[i] || first.items[i].find_first_of("\"\r\n") != std::string::npos);
  }
  FUZZ_CHECK(SaveParameters(path, second.items).saved);
  FUZZ_CHECK(ReadWholeFile(path).bytes == saved.bytes);
  return 0;
}
