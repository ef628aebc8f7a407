#include "base/text_lines.h"

#include "base/utf8.h"

namespace quillet {

std::size_t TextBoxLength(std::string_view utf8) {
  std::size_t units = 0;
  for (std::size_t pos = 0; pos < utf8.size();) units += NextCodePoint(utf8, pos) > 0xFFFF ? 2 : 1;
  return units;
}

}  // namespace quillet
