#include <iconv.h>

#include <stdexcept>
#include <string>

#include "base/codepage.h"

namespace quillet::codepage_detail {
namespace {

// One iconv descriptor, asked about one code at a time; closed on scope exit.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~Iconv() { iconv_close(cd_); }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  // Converts all of [in, in + size) into out (at most 4 bytes); the number
  // of bytes written, or -1 when the code is invalid or incomplete.
  int Convert(const char* in, std::size_t size, unsigned char (&out)[4]) {
    char* inPtr = const_cast<char*>(in);
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof out;
    const std::size_t rc = iconv(cd_, &inPtr, &size, &outPtr, &outLeft);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // no shift state carries over
    if (rc == static_cast<std::size_t>(-1) || size != 0) return -1;
    return static_cast<int>(sizeof out - outLeft);
  }

 private:
  iconv_t cd_;
};

// The one UTF-16 unit (little-endian) of a conversion, or 0.
char16_t OneUnit(int length, const unsigned char (&out)[4]) {
  return length == 2 ? static_cast<char16_t>(out[0] | (out[1] << 8)) : char16_t{0};
}

}  // namespace

void AskDecodings(char16_t* singles, char16_t* pairs) {
  Iconv conv("UTF-16LE", "CP936");
  unsigned char out[4];
  for (int b = 0x80; b <= 0xFF; ++b) {
    const char in = static_cast<char>(b);
    singles[b - 0x80] = OneUnit(conv.Convert(&in, 1, out), out);
  }
  for (int lead = kFirstLead; lead <= kLastLead; ++lead) {
    for (int trail = kFirstTrail; trail <= kLastTrail; ++trail) {
      const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      pairs[(lead - kFirstLead) * 256 + trail] = OneUnit(conv.Convert(in, 2, out), out);
    }
  }
}

void AskEncodings(std::uint16_t* codes) {
  Iconv conv("CP936", "UTF-16LE");
  unsigned char out[4];
  for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;  // surrogates are no characters
    const char in[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    const int length = conv.Convert(in, 2, out);
    if (length == 1) codes[c] = out[0];
    if (length == 2) codes[c] = static_cast<std::uint16_t>(out[0] << 8 | out[1]);
  }
}

}  // namespace quillet::codepage_detail
