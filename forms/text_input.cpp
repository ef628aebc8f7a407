#include "forms/text_input.h"

#include "base/codepage.h"
#include "base/utf8.h"

namespace quillet {

std::string UnmappableCharacters(std::string_view utf8) {
  std::string found;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t start = pos;
    NextCodePoint(utf8, pos);
    const std::string_view character = utf8.substr(start, pos - start);
    if (EncodeCp936(character).unmappable == 0) continue;
    if (found.find(character) == std::string::npos) found += character;
  }
  return found;
}

std::string RefusedInputText(std::string_view characters) {
  return "字符“" + std::string(characters) +
         "”无法保存到数据文件（GBK 编码）中，已拒绝输入，请改用其他字符。";
}

}  // namespace quillet
